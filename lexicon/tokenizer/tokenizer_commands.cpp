#include "lexicon/tokenizer/tokenizer_commands.h"

#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <memory>
#include <vector>

#include "shell/lexp/types.h"
#include "shell/reader/tokenizer.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

constexpr const char* kTokenizerType = "Tokenizer/TokenizerBase";
constexpr const char* kSocketTokenizerType = "SocketTokenizer/TokenizerBase";

// Tokenizers defined without a name are kept for the life of the process,
// like named ones, since the command hands them out.
std::vector<std::unique_ptr<TokenizerBase>>& anonymous_tokenizers() {
  static std::vector<std::unique_ptr<TokenizerBase>> kept;
  return kept;
}

char first_byte(const char* text) { return text ? text[0] : 0; }

template <class T>
std::unique_ptr<T> build_tokenizer(IRSlist& args, std::size_t token_buffer, std::size_t input_buffer, bool& ok) {
  ok = false;
  std::unique_ptr<IRSlist> long_quotes = args.take_value_node(":long-quotes", true);
  std::unique_ptr<T> tokenizer;
  if (std::unique_ptr<IRSlist> separator = args.take_value_node(":separator", true)) {
    tokenizer = std::make_unique<T>(separator->atom() ? separator->atom() : "", token_buffer, input_buffer);
  } else {
    if (args.length() != 6) {
      diag() << "(def-tokenizer ...) incorrect number of arguments\n" << std::flush;
      return nullptr;
    }
    const char* texts[6];
    for (const char*& text : texts) text = args.take_atom();
    const TokenizerConfig config{texts[0] ? texts[0] : "", texts[1] ? texts[1] : "", texts[2] ? texts[2] : "",
                                 texts[3] ? texts[3] : "", first_byte(texts[4]),     first_byte(texts[5])};
    tokenizer = std::make_unique<T>(config, token_buffer, input_buffer);
  }
  if (long_quotes) {
    for (const IRSlist* pair : long_quotes->children()) {
      const IRSlist* open = pair->element_at(0);
      const IRSlist* close = pair->element_at(1);
      if (open && close && open->atom() && close->atom()) tokenizer->add_long_quote(open->atom(), close->atom());
    }
  }
  ok = true;
  return tokenizer;
}

template <class T>
Word define_tokenizer(IRSlist& args, std::size_t token_buffer, const char* type) {
  std::unique_ptr<IRSlist> name = args.take_value_node(":name", true);
  bool ok = false;
  std::unique_ptr<T> tokenizer = build_tokenizer<T>(args, token_buffer, kDefaultInputBufferSize, ok);
  if (!ok) return 0;
  T* raw = tokenizer.get();
  if (name && name->atom()) {
    if (!NameSpaces::define_owned(name->atom(), std::move(tokenizer), type)) return 0;
  } else {
    anonymous_tokenizers().push_back(std::move(tokenizer));
  }
  return to_word(raw);
}

Word def_tokenizer_command(IRSlist& args) {
  return define_tokenizer<Tokenizer>(args, kDefaultTokenBufferSize, kTokenizerType);
}

Word def_socket_tokenizer_command(IRSlist& args) {
  return define_tokenizer<SocketTokenizer>(args, 512, kSocketTokenizerType);
}

Word double_byte_command(IRSlist& args) {
  std::unique_ptr<IRSlist> name = args.take_value_node(":tokenizer", true);
  const long value = args.take_long();
  if (name) {
    auto* tokenizer = name->atom() ? NameSpaces::lookup_as<TokenizerBase>(name->atom(), "TokenizerBase") : nullptr;
    if (tokenizer) tokenizer->set_double_byte(value != 0);
  } else {
    TokenizerBase::set_default_double_byte(value != 0);
  }
  return static_cast<Word>(value);
}

void print_tokens(TokenizerBase& tokenizer) {
  while (const char* token = tokenizer.next_token()) {
    std::cout << '|';
    std::cout.write(token, static_cast<std::streamsize>(tokenizer.token_length()));
    std::cout << "|\n";
  }
  std::cout << std::flush;
}

void test_socket_tokenizer(SocketTokenizer& tokenizer, const char* input) {
  if (!input || std::string_view(input) == "-") {
    tokenizer.set_input(STDIN_FILENO);
    print_tokens(tokenizer);
    return;
  }
  const std::optional<std::string> path = Interpreter::instance().search_path().find(input);
  if (!path) {
    diag() << "The file " << input << " cannot be opened\n" << std::flush;
    return;
  }
  const int fd = ::open(path->c_str(), O_RDONLY);
  if (fd < 0) {
    diag() << "The file " << *path << " exists, but cannot be opened\n" << std::flush;
    return;
  }
  tokenizer.set_input(fd);
  print_tokens(tokenizer);
  tokenizer.set_input(-1);
  ::close(fd);
}

void test_stream_tokenizer(Tokenizer& tokenizer, const char* input) {
  if (!input || std::string_view(input) == "-") {
    tokenizer.set_input(&std::cin);
    print_tokens(tokenizer);
    return;
  }
  std::unique_ptr<std::ifstream> stream = Interpreter::instance().search_path().open(input);
  if (!stream) return;
  tokenizer.set_input(stream.get());
  print_tokens(tokenizer);
  tokenizer.set_input(nullptr);
}

Word test_tokenizer_command(IRSlist& args) {
  const char* name = args.take_atom();
  const char* input = args.length() > 0 ? args.take_atom() : nullptr;
  auto* tokenizer = name ? NameSpaces::lookup_as<TokenizerBase>(name, "TokenizerBase") : nullptr;
  if (!tokenizer) return 0;
  if (auto* socket = dynamic_cast<SocketTokenizer*>(tokenizer))
    test_socket_tokenizer(*socket, input);
  else if (auto* stream = dynamic_cast<Tokenizer*>(tokenizer))
    test_stream_tokenizer(*stream, input);
  return 0;
}

}  // namespace

void register_tokenizer_commands(Interpreter& interpreter) {
  interpreter.add_command("def-tokenizer", def_tokenizer_command,
                          "(def-tokenizer <name>\n  white-chars\n  start-chars\n  middle-chars\n  quote-chars\n"
                          "  escape-chars\n  comment-chars\n  )\n   defines a tokenizer");
  interpreter.add_command("def-socket-tokenizer", def_socket_tokenizer_command,
                          "(def-socket-tokenizer <name>\n  white-chars\n  start-chars\n  middle-chars\n"
                          "  quote-chars\n  escape-chars\n  comment-chars\n  )\n   defines a socket-tokenizer");
  interpreter.add_command("double-byte", double_byte_command, "(double-byte tokenizer 0|1)");
  interpreter.add_command("test-tokenizer", test_tokenizer_command, "(test-tokenizer TOKENIZER INPUT_STREAM)");
}

}  // namespace velmo
