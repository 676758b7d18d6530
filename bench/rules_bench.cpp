// Each rename computation over 100,000 names of realistic length, ASCII and
// GBK mixed, and the journal a run of them writes before its first rename,
// against the baseline of merely copying the same names.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "exec/rename_plan.h"
#include "exec/run_journal.h"

#include "rules/compute_new_names.h"
#include "rules/text_codec.h"

namespace {

constexpr int kNameCount = 100000;

rules::ProgramState PickedNames() {
  static const char* const kStems[] = {"IMG_2024", "报告_第", "Holiday Photo ", "会议纪要-",
                                       "scan", "项目计划书v"};
  static const char* const kExtensions[] = {".jpg", ".docx", ".txt", ".mp3", ".tar.gz", ""};
  rules::ProgramState state;
  for (int i = 0; i < kNameCount; ++i) {
    std::string name = kStems[i % 6];
    name += std::to_string(i * 7919 % 1000003);
    if (i % 3 == 0) name += " 副本";
    if (i % 5 == 0) name += " (Final) abc";
    name += kExtensions[i % 6 == 5 ? 5 : (i / 6) % 5];
    state.CurrentNames.push_back(std::move(name));
  }
  state.NewNames = state.CurrentNames;
  state.UndoNames = state.CurrentNames;
  return state;
}

rules::ProgramState& Names() {
  static rules::ProgramState state = PickedNames();
  return state;
}

void BM_CopyNames(benchmark::State& loop) {
  rules::ProgramState& state = Names();
  for (auto _ : loop) {
    rules::NameList copy = state.CurrentNames;  // fresh strings, as a computation makes
    benchmark::DoNotOptimize(copy.data());
  }
  loop.SetItemsProcessed(loop.iterations() * kNameCount);
}
BENCHMARK(BM_CopyNames)->Unit(benchmark::kMillisecond);

void RunComputation(benchmark::State& loop, const rules::RenameOptions& options) {
  rules::ProgramState& state = Names();
  for (auto _ : loop) {
    benchmark::DoNotOptimize(rules::ComputeNewNames(options, state));
  }
  loop.SetItemsProcessed(loop.iterations() * kNameCount);
}

rules::RenameOptions Options(int type) {
  rules::RenameOptions options;
  options.RenameType = type;
  return options;
}

void BM_AddCharacters(benchmark::State& loop) {
  auto options = Options(rules::kAddCharacters);
  options.AddText = "_新";
  options.AddPosition = "4";
  options.AddFromRight = true;
  RunComputation(loop, options);
}
BENCHMARK(BM_AddCharacters)->Unit(benchmark::kMillisecond);

void BM_DeleteCharacters(benchmark::State& loop) {
  auto options = Options(rules::kDeleteCharacters);
  options.DeletePosition = "2";
  options.DeleteCount = "3";
  RunComputation(loop, options);
}
BENCHMARK(BM_DeleteCharacters)->Unit(benchmark::kMillisecond);

void BM_ReplaceAll(benchmark::State& loop) {
  auto options = Options(rules::kReplaceCharacters);
  options.SearchText = "A";  // ignoring case: hits "a" in many names
  options.ReplacementText = "者";
  RunComputation(loop, options);
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);

void BM_ReplaceNthFromRight(benchmark::State& loop) {
  auto options = Options(rules::kReplaceCharacters);
  options.SearchText = "第";
  options.ReplacementText = "No.";
  options.ReplaceAll = false;
  options.NthValue = "1";
  options.SearchFromRight = true;
  RunComputation(loop, options);
}
BENCHMARK(BM_ReplaceNthFromRight)->Unit(benchmark::kMillisecond);

void BM_ConvertCase(benchmark::State& loop) {
  auto options = Options(rules::kConvertCase);
  options.CaseMode = rules::kAllUpper;
  RunComputation(loop, options);
}
BENCHMARK(BM_ConvertCase)->Unit(benchmark::kMillisecond);

void BM_NumberArabicLeft(benchmark::State& loop) {
  auto options = Options(rules::kAddSequenceNumber);
  options.NumberStyle = 0;
  RunComputation(loop, options);
}
BENCHMARK(BM_NumberArabicLeft)->Unit(benchmark::kMillisecond);

void BM_NumberChineseRightBracketed(benchmark::State& loop) {
  auto options = Options(rules::kAddSequenceNumber);
  options.NumberStyle = 1;
  options.AddBrackets = true;
  options.BracketType = 4;
  options.NumberAtLeft = false;
  RunComputation(loop, options);
}
BENCHMARK(BM_NumberChineseRightBracketed)->Unit(benchmark::kMillisecond);

// A code page 936 for the conversion: every pair of bytes it has is a
// character (which ones does not change the cost of a look-up).
const rules::TextCodec& Codec() {
  static const rules::TextCodec codec = [] {
    rules::CodePage936 table;
    char16_t next = 0x4E00;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
      table.leads[lead] = true;
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        if (trail != 0x7F) table.pairs[lead << 8 | trail] = next++;
      }
    }
    return rules::TextCodec(table);
  }();
  return codec;
}

// The picked names, one in seven with characters code page 936 lacks (an
// accent, an emoji), to UTF-16 and back, as listing and renaming do.
void BM_ConvertNamesToAndFromUtf16(benchmark::State& loop) {
  static const rules::NameList names = [] {
    rules::NameList all = Names().CurrentNames;
    for (size_t i = 0; i < all.size(); i += 7) all[i] += Codec().FromUtf16(u"\u00C9\U0001F600");
    return all;
  }();
  std::u16string utf16;
  for (auto _ : loop) {
    for (const std::string& name : names) {
      utf16.clear();
      Codec().ToUtf16(name, utf16);
      benchmark::DoNotOptimize(Codec().FromUtf16(utf16));
    }
  }
  loop.SetItemsProcessed(loop.iterations() * kNameCount);
}
BENCHMARK(BM_ConvertNamesToAndFromUtf16)->Unit(benchmark::kMillisecond);

// A journal file on the native file system: written when made durable,
// and fsync'd then, as the program's is with FlushFileBuffers.
class PosixJournals final : public exec::JournalStore {
 public:
  std::unique_ptr<exec::JournalFile> Create(std::string&) override {
    class File final : public exec::JournalFile {
     public:
      File() : fd_(open("/tmp/rules_bench.journal", O_WRONLY | O_CREAT | O_TRUNC, 0600)) {}
      ~File() override { close(fd_); }
      void Append(std::string_view bytes) override { buffer_.append(bytes); }
      void MakeDurable() override {
        for (size_t at = 0; at < buffer_.size();) {
          const ssize_t written = write(fd_, buffer_.data() + at, buffer_.size() - at);
          if (written <= 0) break;
          at += static_cast<size_t>(written);
        }
        buffer_.clear();
        fsync(fd_);
      }
      void Discard() override { unlink("/tmp/rules_bench.journal"); }
      std::string Keep() override {
        Discard();
        return {};
      }
      std::string Failure() const override { return {}; }

     private:
      int fd_;
      std::string buffer_;
    };
    return std::make_unique<File>();
  }
  std::vector<std::string> Left() override { return {}; }
  std::optional<std::string> Read(const std::string&) override { return {}; }
  void Remove(const std::string&) override {}
  void SetAside(const std::string&) override {}
  std::string Where(const std::string&) override { return {}; }
};

// The journal of a batch of 100,000 files, written and made durable, as
// before the first rename.
void BM_JournalOfABatch(benchmark::State& loop) {
  rules::ProgramState& state = Names();
  rules::NameList targets = state.CurrentNames;
  for (std::string& name : targets) name.insert(0, "1");
  exec::RenamePlan plan;
  plan.verdicts.assign(kNameCount, exec::Verdict::Deliverable);
  for (size_t row = 0; row < kNameCount; ++row) {
    plan.steps.push_back({static_cast<uint32_t>(row)});
    plan.identities.push_back({1000 + row, 133500000000000000 + row, 0x0001000000000000 + row});
  }
  plan.volume = {0x5EED1234, true, true};
  PosixJournals journals;
  for (auto _ : loop) {
    exec::RunJournal journal = exec::RunJournal::Begin(journals, exec::JournalKind::Batch, "D:\\照片\\",
                                                       state.CurrentNames, targets, plan);
    journal.End();
  }
  loop.SetItemsProcessed(loop.iterations() * kNameCount);
}
BENCHMARK(BM_JournalOfABatch)->Unit(benchmark::kMillisecond);

// Names folded as the planner needs them: ASCII letters to upper case,
// every other byte a unit of its own (enough for the cost of planning).
class FoldingNames final : public exec::FileOperations {
 public:
  bool Exists(const std::string&, const std::string&) override { return true; }
  exec::RenameOutcome Rename(const std::string&, const std::string&, const std::string&,
                             const exec::BeforeMiddleName&) override {
    return {};
  }
  exec::FolderListing ListFolder(const std::string&) override { return {}; }
  std::optional<std::string> NameOnDisk(const std::string&, const std::string& name) override { return name; }
  bool NameKey(std::string_view name, std::u16string& key) override {
    key.clear();
    for (const char c : name) {
      key.push_back(static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 32 : static_cast<unsigned char>(c)));
    }
    return true;
  }
};

// Planning a batch of the 100,000 names in a folder that holds them, with
// the listing as a file layer without identities gives it, and as the
// Windows one does: each file's size, time and ID, and the 8.3 names of
// those whose long names have one.
void RunPlan(benchmark::State& loop, bool identities) {
  rules::ProgramState& state = Names();
  FoldingNames names;
  exec::FolderListing listing;
  listing.pathUnits = 12;
  for (size_t row = 0; row < state.CurrentNames.size(); ++row) {
    std::u16string key;
    names.NameKey(state.CurrentNames[row], key);
    if (identities) {
      listing.identities.push_back({1000 + row, 133500000000000000 + row, 0x0001000000000000 + row});
      if (key.size() > 12) {
        listing.shortKeys.emplace_back(static_cast<uint32_t>(row), key.substr(0, 6) + u"~1.JPG");
      }
    }
    listing.keys.push_back(key);
  }
  if (identities) listing.volume = {0x5EED1234, true, true};
  rules::NameList targets = state.CurrentNames;
  for (std::string& name : targets) name.insert(0, "1");
  const std::vector<size_t> order = exec::ListOrder(state.CurrentNames.size());
  for (auto _ : loop) {
    benchmark::DoNotOptimize(exec::PlanRenames(listing, state.CurrentNames, targets, order, names));
  }
  loop.SetItemsProcessed(loop.iterations() * kNameCount);
}
void BM_PlanWithoutIdentities(benchmark::State& loop) { RunPlan(loop, false); }
void BM_PlanWithIdentities(benchmark::State& loop) { RunPlan(loop, true); }
BENCHMARK(BM_PlanWithoutIdentities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanWithIdentities)->Unit(benchmark::kMillisecond);

// Prints, after the usual table, each benchmark's time per 100,000 names
// and its ratio to copying the names, all from this one run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) seconds_[run.benchmark_name()] = run.GetAdjustedRealTime() / 1e3;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double baseline = seconds_["BM_CopyNames"];
    std::printf("\n%-34s %14s %14s %10s\n", "computation (100,000 names)", "seconds", "names/s",
                "x copy");
    for (const auto& [name, seconds] : seconds_) {
      std::printf("%-34s %14.4f %14.0f %10.2f\n", name.c_str(), seconds, kNameCount / seconds,
                  seconds / baseline);
    }
    const double without = seconds_["BM_PlanWithoutIdentities"];
    if (without > 0) {
      std::printf("\nplan with identities and short names / without: %.2fx\n",
                  seconds_["BM_PlanWithIdentities"] / without);
    }
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
