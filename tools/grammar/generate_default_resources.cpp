// Writes the installed default catalogue and grammar files into
// <resources>/defaults from the sources in <resources>/grammar.
#include "platform/atomic_file.h"
#include "tools/grammar/default_resources.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: generate_default_resources RESOURCES_DIR\n";
        return 2;
    }
    const std::filesystem::path resources = argv[1];
    auto sources = kelvo::tools::readGrammarSources(resources);
    if (!sources) {
        std::cerr << sources.error().message() << "\n";
        return 1;
    }
    for (const auto& [name, content] : kelvo::tools::buildDefaultResources(*sources)) {
        const auto target = resources / "defaults" / name;
        if (auto written = kelvo::writeFileAtomically(target, content); !written) {
            std::cerr << written.message() << "\n";
            return 1;
        }
        std::cout << target.string() << "\n";
    }
    return 0;
}
