#pragma once
// Attributes holding traces: reference-counted lists of records that the
// parser creates and that unification gathers. The records are opaque here;
// the parser supplies their printed form.
#include <string>
#include <vector>

#include "lexicon/attributes/att_interpreter.h"
#include "shell/support/ref_ptr.h"

namespace velmo {

struct TraceRecord {
  Word role = 0;
  Word item = 0;
};

class TraceList : public RefCounted<TraceList> {
 public:
  std::vector<TraceRecord>& records() { return records_; }
  const std::vector<TraceRecord>& records() const { return records_; }

 private:
  std::vector<TraceRecord> records_;
};

class TraceAtt : public LongVAtt {
 public:
  using RecordPrinter = std::string (*)(const TraceRecord& record);

  using LongVAtt::LongVAtt;
  const char* type_name() const override { return "TraceAtt"; }
  std::unique_ptr<AttInterpreter> clone() const override { return clone_unplaced(*this); }
  void set(AttVec& vec, Word value) const override;
  bool unify_val(AttVec& vec, Word value, bool set_flag) const override;
  void print(std::ostream& out, const AttVec& vec) const override;
  Word make_val(IRSlist& element) const override;
  void pack(const AttVec&, StrBufs&) const override {}
  bool unpack(AttVec&, ByteCursor&) const override { return true; }
  void drop_unclaimed(Word value) const override;
  bool shares_values() const override { return true; }

  void set_record_printer(RecordPrinter printer) { printer_ = printer; }

 private:
  // The vector's list, copied first when another vector shares it.
  TraceList* private_list(AttVec& vec) const;

  RecordPrinter printer_ = nullptr;
};

}  // namespace velmo
