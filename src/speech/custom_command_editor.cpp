#include "speech/custom_command_editor.h"

#include "platform/atomic_file.h"
#include "speech/command_catalogue.h"
#include "speech/custom_command_store.h"
#include "speech/grammar_rules.h"
#include "speech/xml_text.h"

#include <pugixml.hpp>

#include <vector>

namespace kelvo {

namespace {

// One file read and parsed, with its original text to put back on failure.
struct LoadedFile {
    std::string text;
    pugi::xml_document doc;
    pugi::xml_node container;
};

Status loadWithContainer(const std::filesystem::path& file, const char* containerName,
                         LoadedFile& loaded) {
    auto text = readWholeFile(file);
    if (!text) {
        return Status::failure(error_number::kFileNotFound, text.error().message());
    }
    loaded.text = std::move(text).value();
    if (Status parsed = parseXml(loaded.doc, loaded.text, file.filename().string()); !parsed) {
        return parsed;
    }
    loaded.container = firstElementNamed(loaded.doc, containerName);
    if (!loaded.container) {
        return Status::failure(error_number::kInvalidCall,
                               file.filename().string() + " has no " + containerName + " element");
    }
    return {};
}

// Removes every command of the store whose `d` is the phrase; returns how many.
int removeStoreEntries(pugi::xml_node cset, const std::string& phrase) {
    std::vector<pugi::xml_node> doomed;
    for (const pugi::xml_node& child : cset.children()) {
        const pugi::xml_attribute display = child.attribute("d");
        if (display && phrase == display.value()) {
            doomed.push_back(child);
        }
    }
    for (const pugi::xml_node& child : doomed) {
        cset.remove_child(child);
    }
    return static_cast<int>(doomed.size());
}

bool storeHolds(const pugi::xml_node& cset, const std::string& phrase) {
    for (const pugi::xml_node& child : cset.children()) {
        const pugi::xml_attribute display = child.attribute("d");
        if (display && phrase == display.value()) {
            return true;
        }
    }
    return false;
}

// True when the catalogue has this phrase: a rule for it belongs to the
// catalogue even when it looks like a custom command's. An unreadable
// catalogue claims nothing.
bool isCataloguePhrase(const CatalogueFiles& files, const std::string& phrase) {
    auto text = readWholeFile(files.catalogue());
    if (!text) {
        return false;
    }
    auto catalogue = parseCommandCatalogue(*text);
    if (!catalogue) {
        return false;
    }
    for (const CommandRecord& row : catalogue->rows) {
        if (row[CommandColumn::Phrase] == phrase) {
            return true;
        }
    }
    return false;
}

// Writes the store, then the grammar; when the grammar fails the store gets
// its old text back, so the two never disagree.
Status writeBoth(const CatalogueFiles& files, const LoadedFile& store, const LoadedFile* grammar) {
    if (Status written = writeFileAtomically(files.customStore(), serializeXml(store.doc));
        !written) {
        return written;
    }
    if (grammar == nullptr) {
        return {};
    }
    if (Status written = writeFileAtomically(files.grammar(), serializeXml(grammar->doc));
        !written) {
        (void)writeFileAtomically(files.customStore(), store.text);
        return written;
    }
    return {};
}

} // namespace

CustomCommandEditor::CustomCommandEditor(const CatalogueFiles& files, CommandLists& lists,
                                         MessageBoxes& boxes, ErrorSink& errors,
                                         CustomCommandHooks& hooks)
    : m_files(files), m_lists(lists), m_boxes(boxes), m_errors(errors), m_hooks(hooks) {}

void CustomCommandEditor::showSaveError(const std::string& phrase) {
    m_boxes.custMsgBox("Kelvo", "ok",
                       "An error occurred while saving the command '" + phrase +
                           "'. Please try re-editing and saving it again.",
                       true);
}

bool CustomCommandEditor::saveCustomCommand(std::string_view kind, const std::string& phrase,
                                            const std::string& target, CustomSave save) {
    if (phrase.empty()) {
        m_boxes.custMsgBox("Kelvo", "ok", "Please enter the words to say for this command.", true);
        return false;
    }
    if (!isXmlSafeText(phrase) || !isXmlSafeText(target)) {
        m_boxes.custMsgBox("Kelvo", "ok",
                           "The command was not saved: its words or its website/program hold "
                           "characters that cannot be stored. Please remove them and save again.",
                           true);
        return false;
    }
    LoadedFile grammar;
    LoadedFile store;
    if (!loadWithContainer(m_files.grammar(), "Grammar", grammar).ok() ||
        !loadWithContainer(m_files.customStore(), "cset", store).ok()) {
        showSaveError(phrase);
        return false;
    }

    const pugi::xml_node ownRule = findNamedRule(grammar.container, phrase);
    const bool stored = storeHolds(store.container, phrase);
    // Only an edit replaces: a new command of a phrase in use would take
    // the place of the user's command without a word.
    const bool edit = save == CustomSave::NewTarget && ownRule && isCustomRule(ownRule, phrase) &&
                      stored && !isCataloguePhrase(m_files, phrase);
    const bool inUse =
        ownRule || phraseListsHold(grammar.doc, phrase) || (save == CustomSave::New && stored);
    if (!edit && inUse) {
        m_boxes.custMsgBox(
            "Kelvo", "ok",
            "Please select different trigger words - '" + phrase + "' is already being used", true);
        return false;
    }

    removeStoreEntries(store.container, phrase);
    pugi::xml_node command = store.container.append_child("c");
    command.append_attribute("d").set_value(phrase.c_str());
    command.append_attribute("u").set_value(target.c_str());
    command.append_child(pugi::node_pcdata).set_value(phrase.c_str());
    if (!ownRule) {
        appendCustomRule(grammar.container, phrase);
    }
    if (!writeBoth(m_files, store, ownRule ? nullptr : &grammar).ok()) {
        showSaveError(phrase);
        return false;
    }

    backupCustomCommands(m_files, m_errors);
    m_lists.loadAllCommandLists();
    m_lists.loadCustomCommandList(m_files.customStore());
    if (kind == kCustomBookmark) {
        m_hooks.refreshBookmarkMatching();
    }
    // Asleep stays asleep; listening picks up the new rule.
    m_hooks.muteUnmute(m_hooks.loadedGrammarHasRule(kSleepRuleName) ? -1 : 1);
    return true;
}

Status CustomCommandEditor::deleteCustomCommand(const std::string& phrase) {
    if (phrase.empty()) {
        m_boxes.custMsgBox("Delete", "ok",
                           "You cannot delete - you have not yet selected a command to delete.",
                           false);
        return {};
    }
    LoadedFile grammar;
    LoadedFile store;
    if (Status loaded = loadWithContainer(m_files.grammar(), "Grammar", grammar); !loaded) {
        return loaded;
    }
    if (Status loaded = loadWithContainer(m_files.customStore(), "cset", store); !loaded) {
        return loaded;
    }
    bool grammarChanged = false;
    if (removeStoreEntries(store.container, phrase) > 0) {
        // Only the command's own rule goes; a catalogue rule of the same
        // name stays.
        const pugi::xml_node rule = findNamedRule(grammar.container, phrase);
        if (rule && isCustomRule(rule, phrase) && !isCataloguePhrase(m_files, phrase)) {
            grammar.container.remove_child(rule);
            grammarChanged = true;
        }
    }
    if (Status written = writeBoth(m_files, store, grammarChanged ? &grammar : nullptr); !written) {
        return written;
    }
    backupCustomCommands(m_files, m_errors);
    return {};
}

} // namespace kelvo
