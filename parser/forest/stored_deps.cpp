#include "parser/forest/stored_deps.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/byte_cursor.h"
#include "parser/forest/deps.h"
#include "shell/support/diagnostics.h"
#include "shell/support/str_bufs.h"

namespace velmo {
namespace {

constexpr char kMagic[] = "DEPS";
constexpr std::uint16_t kVersion = 1;
constexpr std::uint16_t kAbsent = 0xFFFF;

void put_text(StrBufs& out, std::string_view text) {
  if (text.size() >= kAbsent) text = text.substr(0, kAbsent - 1);
  out.put_u16(static_cast<std::uint16_t>(text.size()));
  out.append(text);
}

void put_optional(StrBufs& out, const char* text) {
  if (text)
    put_text(out, text);
  else
    out.put_u16(kAbsent);
}

void put_i16(StrBufs& out, int value) { out.put_u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }

bool read_text(ByteCursor& in, std::string& text, bool& absent) {
  std::uint16_t length = 0;
  if (!in.read_u16(length)) return false;
  absent = length == kAbsent;
  if (absent) length = 0;
  if (in.remaining() < length) return false;
  text.assign(reinterpret_cast<const char*>(in.position()), length);
  std::uint8_t skip = 0;
  for (std::uint16_t i = 0; i < length; ++i) in.read_u8(skip);
  return true;
}

bool read_text(ByteCursor& in, std::string& text) {
  bool absent = false;
  return read_text(in, text, absent) && !absent;
}

std::vector<DepTree*> pre_order(DepTree* top) {
  std::vector<DepTree*> nodes;
  if (top)
    for (TPreIterator<DepTree> it(top); !it.done(); it.advance()) nodes.push_back(it.current());
  return nodes;
}

const AttInterpreterList* vector_type(const std::vector<DepTree*>& nodes) {
  for (const DepTree* node : nodes)
    if (node->atts() && node->atts()->type()) return node->atts()->type();
  return nullptr;
}

}  // namespace

void store_deps(const Deps& deps, StrBufs& out) {
  out.append(kMagic);
  out.put_u16(kVersion);
  put_text(out, deps.id());
  const std::vector<DepTree*> nodes = pre_order(deps.root());
  const AttInterpreterList* type = vector_type(nodes);
  put_text(out, type ? type->name() : std::string());
  out.put_u16(static_cast<std::uint16_t>(deps.word_count()));
  for (int p = 0; p < deps.word_count(); ++p) {
    put_text(out, deps.word(p));
    put_text(out, deps.space_before(p));
  }
  std::unordered_map<const DepTree*, int> index;
  for (std::size_t i = 0; i < nodes.size(); ++i) index.emplace(nodes[i], static_cast<int>(i));
  out.put_u16(static_cast<std::uint16_t>(nodes.size()));
  for (const DepTree* node : nodes) {
    put_i16(out, node->parent() ? index[node->parent()] : -1);
    put_i16(out, node->start());
    put_i16(out, node->end());
    put_i16(out, node->position());
    put_optional(out, node->category());
    put_optional(out, node->relation());
    put_optional(out, node->root());
    put_optional(out, node->label_if_set());
    out.put_u32(std::bit_cast<std::uint32_t>(node->weight()));
    const bool has_vector = node->atts() && node->atts()->type() == type;
    out.push(has_vector ? 1 : 0);
    if (has_vector) node->atts()->pack(out);
    out.put_u16(static_cast<std::uint16_t>(node->properties().size()));
    for (const DepProperty& p : node->properties()) {
      put_text(out, p.name ? p.name : "");
      const auto target = p.node ? index.find(p.node) : index.end();
      if (target != index.end()) {
        out.push(1);
        out.put_u16(static_cast<std::uint16_t>(target->second));
      } else {
        out.push(0);
        put_text(out, p.text ? p.text : "");
      }
    }
  }
  out.put_u16(static_cast<std::uint16_t>(deps.assertions().size()));
  for (const std::string& assertion : deps.assertions()) put_text(out, assertion);
}

namespace {

struct NodeLinks {
  int parent;
  std::vector<std::pair<std::size_t, int>> node_properties;  // property index, node index
};

bool load_node(Deps& deps, ByteCursor& in, const AttInterpreterList* type, std::vector<DepTree*>& nodes,
               std::vector<NodeLinks>& links) {
  int parent = 0, start = 0, end = 0, position = 0;
  if (!in.read_i16(parent) || !in.read_i16(start) || !in.read_i16(end) || !in.read_i16(position)) return false;
  DepTree* node = deps.new_node(start, end, position);
  std::string texts[4];
  bool absent[4] = {};
  for (int i = 0; i < 4; ++i)
    if (!read_text(in, texts[i], absent[i])) return false;
  if (!absent[0]) node->set_category(texts[0]);
  if (!absent[1]) node->set_relation(texts[1]);
  if (!absent[2]) node->set_root(texts[2]);
  std::uint32_t weight_bits = 0;
  std::uint8_t has_vector = 0;
  if (!in.read_u32(weight_bits) || !in.read_u8(has_vector)) return false;
  node->set_weight(std::bit_cast<float>(weight_bits));
  if (has_vector) {
    if (!type) return false;
    AttVec vector(type);
    if (!vector.unpack(in)) return false;
    node->set_atts(&vector);
  }
  std::uint16_t property_count = 0;
  if (!in.read_u16(property_count)) return false;
  NodeLinks link{parent, {}};
  for (std::uint16_t i = 0; i < property_count; ++i) {
    std::string name, text;
    std::uint8_t kind = 0;
    if (!read_text(in, name) || !in.read_u8(kind)) return false;
    if (kind == 1) {
      std::uint16_t target = 0;
      if (!in.read_u16(target)) return false;
      link.node_properties.emplace_back(node->properties().size(), target);
      node->add_property(name, static_cast<DepTree*>(nullptr));
    } else {
      if (!read_text(in, text)) return false;
      node->add_property(name, text);
    }
  }
  nodes.push_back(node);
  links.push_back(std::move(link));
  return true;
}

}  // namespace

bool load_deps(Deps& deps, ByteCursor& in) {
  deps.reset();
  std::string magic(4, '\0'), id, type_name;
  std::uint8_t byte = 0;
  for (char& c : magic) {
    if (!in.read_u8(byte)) return false;
    c = static_cast<char>(byte);
  }
  std::uint16_t version = 0, words = 0, node_count = 0;
  if (magic != kMagic || !in.read_u16(version) || version != kVersion) return false;
  if (!read_text(in, id) || !read_text(in, type_name)) return false;
  deps.set_id(id);
  const AttInterpreterList* type = nullptr;
  if (!type_name.empty()) {
    type = AttInterpreterList::find(type_name);
    if (!type) {
      diag() << "The type of AttVec in dependency tree is not defined\n" << std::flush;
      std::exit(1);
    }
  }
  if (!in.read_u16(words)) return false;
  for (std::uint16_t p = 0; p < words; ++p) {
    std::string word, space;
    if (!read_text(in, word) || !read_text(in, space)) return false;
    deps.add_word(word, space);
  }
  if (!in.read_u16(node_count)) return false;
  std::vector<DepTree*> nodes;
  std::vector<NodeLinks> links;
  for (std::uint16_t i = 0; i < node_count; ++i)
    if (!load_node(deps, in, type, nodes, links)) return false;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const int parent = links[i].parent;
    // Parents come before their children in pre-order.
    if (parent >= static_cast<int>(i)) return false;
    if (parent >= 0)
      nodes[static_cast<std::size_t>(parent)]->append(nodes[i]);
    else if (!deps.root())
      deps.set_root(nodes[i]);
    for (const auto& [k, target] : links[i].node_properties) {
      if (static_cast<std::size_t>(target) >= nodes.size()) return false;
      nodes[i]->set_property_node(k, nodes[static_cast<std::size_t>(target)]);
    }
  }
  std::uint16_t assertions = 0;
  if (!in.read_u16(assertions)) return false;
  for (std::uint16_t i = 0; i < assertions; ++i) {
    std::string text;
    if (!read_text(in, text)) return false;
    deps.add_assertion(text);
  }
  return true;
}

}  // namespace velmo
