// Each rename computation over 100,000 names of realistic length, ASCII and
// GBK mixed, against the baseline of merely copying the same names.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

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
