// Loading the command catalogue with custom commands, and merging custom
// commands into the listening grammar, at growing sizes.
#include "platform/atomic_file.h"
#include "services/hex_coding.h"
#include "speech/command_lists.h"
#include "speech/grammar_merge.h"
#include "speech/xml_text.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kelvo {
namespace {

class NullListPort : public CommandListPort {
public:
    void setCatalogueRows(CommandList, const std::vector<std::string>& rows) override {
        benchmark::DoNotOptimize(rows.data());
    }
    void setCustomRows(const std::vector<CustomListRow>& rows) override {
        benchmark::DoNotOptimize(rows.data());
    }
};

class CountingSink : public ErrorSink {
public:
    void reportError(int, std::string_view, std::string_view) override { ++reports; }
    int reports = 0;
};

class BenchFolder {
public:
    BenchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-bench-XXXXXX");
        m_path = ::mkdtemp(pattern.data());
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::string catalogueText(int commands) {
    static const char* categories[] = {"1", "2", "3", "4", "5", "6"};
    std::string xml = "<?xml version=\"1.0\"?>\n<commands>\n";
    for (int i = 0; i < commands; ++i) {
        const std::string phrase = "go site number " + std::to_string(i);
        xml += "<c d=\"" + stringToHex(phrase) + "\" c2=\"" + stringToHex(categories[i % 6]) +
               "\" c1=\"31\" u=\"" + stringToHex("https://example.org/" + std::to_string(i)) +
               "\">" + stringToHex(phrase) + "</c>\n";
    }
    return xml + "</commands>\n";
}

std::string storeText(int commands) {
    std::string xml = "<?xml version=\"1.0\"?>\n<cset>\n";
    for (int i = 0; i < commands; ++i) {
        const std::string phrase = "open my thing " + std::to_string(i);
        xml += "<c d=\"" + phrase + "\" u=\"https://mine.example/" + std::to_string(i) + "\">" +
               phrase + "</c>\n";
    }
    return xml + "</cset>\n";
}

// A grammar of one rule per phrase, the shape that makes the merge index
// every rule.
std::string grammarText(int rules) {
    std::string xml = "<?xml version=\"1.0\"?>\n<Grammar LANGID=\"409\">\n";
    for (int i = 0; i < rules; ++i) {
        const std::string phrase = "go site number " + std::to_string(i);
        xml += "<RULE NAME=\"" + phrase + "\" TOPLEVEL=\"ACTIVE\"><P>" + phrase + "</P></RULE>\n";
    }
    return xml + "</Grammar>\n";
}

void checked(const Status& status) {
    if (!status.ok()) {
        std::abort();
    }
}

void BM_LoadAllCommandLists(benchmark::State& state) {
    BenchFolder folder;
    CatalogueFiles files;
    files.dataFolder = folder.path();
    checked(
        writeFileAtomically(files.catalogue(), catalogueText(static_cast<int>(state.range(0)))));
    checked(writeFileAtomically(files.customStore(), storeText(1000)));
    CatalogueState catalogue;
    NullListPort port;
    CountingSink errors;
    CommandLists lists(catalogue, port, errors, files);
    for (auto _ : state) {
        lists.loadAllCommandLists();
        benchmark::DoNotOptimize(catalogue.commandTable.data());
    }
    if (errors.reports != 0 ||
        catalogue.commandTable.size() != static_cast<std::size_t>(state.range(0)) + 1000u) {
        state.SkipWithError("load went wrong");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadAllCommandLists)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The whole merge as the program runs it: read both files, merge, save.
void BM_MergeCustomCommandsIntoGrammar(benchmark::State& state) {
    BenchFolder folder;
    CatalogueFiles files;
    files.dataFolder = folder.path();
    const std::string grammar = grammarText(static_cast<int>(state.range(0)));
    checked(writeFileAtomically(files.customStore(), storeText(1000)));
    CountingSink errors;
    for (auto _ : state) {
        state.PauseTiming();
        checked(writeFileAtomically(files.grammar(), grammar));
        state.ResumeTiming();
        mergeCustomCommandsIntoGrammar(files, errors);
    }
    if (errors.reports != 0) {
        state.SkipWithError("merge reported an error");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MergeCustomCommandsIntoGrammar)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The merge alone, on documents already in memory.
void BM_MergePhrasesInMemory(benchmark::State& state) {
    const std::string grammar = grammarText(static_cast<int>(state.range(0)));
    std::vector<std::string> phrases;
    for (int i = 0; i < 1000; ++i) {
        phrases.push_back("open my thing " + std::to_string(i));
    }
    for (auto _ : state) {
        state.PauseTiming();
        pugi::xml_document doc;
        checked(parseXml(doc, grammar, "grammar"));
        const pugi::xml_node root = firstElementNamed(doc, "Grammar");
        state.ResumeTiming();
        if (mergePhrasesIntoGrammar(doc, root, phrases) != phrases.size()) {
            state.SkipWithError("merge added the wrong number of rules");
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MergePhrasesInMemory)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
} // namespace kelvo
