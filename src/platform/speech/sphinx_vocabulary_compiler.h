#pragma once

#include "platform/speech/sphinx_command_grammar.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kelvo::speech {

/// A dictation vocabulary on its way from the compiler's thread.
class PendingVocabulary {
public:
    /// The compiled vocabulary; null while it compiles, and for good when a
    /// newer request superseded it first. Any thread.
    std::shared_ptr<const SphinxCommandGrammar> grammar() const;

private:
    friend class SphinxVocabularyCompiler;
    explicit PendingVocabulary(std::vector<std::string> texts) : m_texts(std::move(texts)) {}

    const std::vector<std::string> m_texts;
    mutable std::mutex m_mutex;
    std::shared_ptr<const SphinxCommandGrammar> m_grammar;
};

/// Compiles dictation vocabularies on a thread of its own, so that a caller
/// on the UI thread never waits for espeak-ng to pronounce thousands of new
/// words. Only the newest request counts: one still queued or compiling when
/// another comes never gets its grammar.
class SphinxVocabularyCompiler {
public:
    using Compile = std::function<SphinxCommandGrammar(const std::vector<std::string>& texts)>;

    /// `compile` runs on the compiler's thread, one call at a time.
    explicit SphinxVocabularyCompiler(Compile compile);
    /// Waits for a compilation under way; a queued one is dropped.
    ~SphinxVocabularyCompiler();
    SphinxVocabularyCompiler(const SphinxVocabularyCompiler&) = delete;
    SphinxVocabularyCompiler& operator=(const SphinxVocabularyCompiler&) = delete;

    /// Returns at once. The same texts as the newest request give its
    /// vocabulary again, compiled once.
    std::shared_ptr<const PendingVocabulary> request(const std::vector<std::string>& texts);

private:
    void run();

    Compile m_compile;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    /// The newest request; the thread compiles it unless it is done.
    std::shared_ptr<PendingVocabulary> m_newest;
    bool m_queued = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace kelvo::speech
