#include "platform/speech/sphinx_vocabulary_compiler.h"

namespace kelvo::speech {

std::shared_ptr<const SphinxCommandGrammar> PendingVocabulary::grammar() const {
    std::lock_guard lock(m_mutex);
    return m_grammar;
}

SphinxVocabularyCompiler::SphinxVocabularyCompiler(Compile compile)
    : m_compile(std::move(compile)) {
    m_thread = std::thread([this] { run(); });
}

SphinxVocabularyCompiler::~SphinxVocabularyCompiler() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

std::shared_ptr<const PendingVocabulary>
SphinxVocabularyCompiler::request(const std::vector<std::string>& texts) {
    std::shared_ptr<PendingVocabulary> pending;
    {
        std::lock_guard lock(m_mutex);
        // A search is armed again and again with the same titles.
        if (m_newest && m_newest->m_texts == texts) {
            return m_newest;
        }
        pending.reset(new PendingVocabulary(texts));
        m_newest = pending;
        m_queued = true;
    }
    m_wake.notify_all();
    return pending;
}

void SphinxVocabularyCompiler::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_queued; });
        if (m_stop) {
            return;
        }
        m_queued = false;
        std::shared_ptr<PendingVocabulary> pending = m_newest;
        lock.unlock();
        auto grammar = std::make_shared<const SphinxCommandGrammar>(m_compile(pending->m_texts));
        lock.lock();
        // A newer request came meanwhile: this result is nobody's any more.
        if (pending == m_newest) {
            std::lock_guard result(pending->m_mutex);
            pending->m_grammar = std::move(grammar);
        }
    }
}

} // namespace kelvo::speech
