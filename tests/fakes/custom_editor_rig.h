#pragma once

#include "fakes/catalogue_builder.h"
#include "fakes/fake_app_control.h"
#include "fakes/fake_command_list_port.h"
#include "fakes/fake_custom_command_hooks.h"
#include "fakes/fake_dialog_port.h"
#include "fakes/fake_error_sink.h"
#include "platform/atomic_file.h"
#include "services/message_boxes.h"
#include "speech/catalogue_files.h"
#include "speech/command_catalogue.h"
#include "speech/command_lists.h"
#include "speech/custom_command_editor.h"
#include "speech/xml_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kelvo::fakes {

// Names of the grammar file's rules, in file order.
inline std::vector<std::string> grammarRuleNames(const std::filesystem::path& grammar) {
    pugi::xml_document doc;
    EXPECT_TRUE(loadXmlFile(doc, grammar).ok());
    std::vector<std::string> names;
    for (const auto& rule : elementsNamed(doc, "RULE")) {
        names.push_back(rule.attribute("NAME").value());
    }
    return names;
}

// The custom-command editor wired to recording fakes; set `files` before
// the first call.
struct CustomEditorRig {
    CatalogueFiles files;
    CatalogueState state;
    FakeCommandListPort port;
    FakeErrorSink errors;
    FakeDialogPort dialogs;
    FakeAppControl app;
    MessageBoxState boxState;
    MessageBoxes boxes{boxState, dialogs, app};
    FakeCustomCommandHooks hooks;
    CommandLists lists{state, port, errors, files};
    CustomCommandEditor editor{files, lists, boxes, errors, hooks};

    /// Data and documents folders below folder, with this grammar, an empty
    /// store and a catalogue of one phrase, "go pets".
    void writeFiles(const std::filesystem::path& folder, const std::string& grammar) {
        files.dataFolder = folder / "data";
        files.myDocumentsFolder = folder / "documents";
        for (const auto& [file, text] :
             {std::pair{files.grammar(), grammar},
              std::pair{files.customStore(), std::string("<cset/>")},
              std::pair{files.catalogue(), CatalogueBuilder().web("go pets", "1").xml()}}) {
            ASSERT_TRUE(writeFileAtomically(file, text).ok());
        }
    }
};

} // namespace kelvo::fakes
