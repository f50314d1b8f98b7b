#include "platform/speech/sphinx_fsg_builder.h"

#include <sphinxbase/ckd_alloc.h>
#include <sphinxbase/fsg_model.h>
#include <sphinxbase/logmath.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace kelvo::speech {
namespace {

// How a phrase that ends at a node may go on: a whole phrase's end wins
// over a part's.
enum End { kNoEnd, kPartEnd, kWholeEnd };

struct TrieNode {
    std::vector<std::pair<int, int>> children; // (word, node)
    End end = kNoEnd;
};

// fsg_model_word_add scans the whole vocabulary for every word; filling the
// table directly keeps large grammars linear.
void setVocabulary(fsg_model_t* fsg, const std::vector<std::string>& vocabulary) {
    fsg->n_word = static_cast<int32>(vocabulary.size());
    fsg->n_word_alloc = std::max<int32>(fsg->n_word, 1);
    fsg->vocab = static_cast<char**>(ckd_calloc(fsg->n_word_alloc, sizeof(char*)));
    for (std::size_t i = 0; i < vocabulary.size(); ++i) {
        fsg->vocab[i] = ckd_salloc(vocabulary[i].c_str());
    }
}

int32 scaledLog(logmath_t* logmath, double naturalLog, float languageWeight) {
    if (naturalLog == 0.0) {
        return 0;
    }
    return static_cast<int32>(logmath_ln_to_log(logmath, naturalLog) * languageWeight);
}

} // namespace

void FsgDeleter::operator()(fsg_model_s* fsg) const {
    fsg_model_free(fsg);
}

FsgPtr buildPhraseFsg(const std::string& name, const std::vector<std::vector<std::string>>& phrases,
                      const std::function<std::vector<std::string>(const std::string&)>& variants,
                      logmath_s* logmath, float languageWeight, const GarbageLoop* garbage,
                      const PhraseSequence* sequence) {
    std::vector<std::string> vocabulary;
    std::unordered_map<std::string, int> baseIds;
    std::vector<std::vector<int32>> variantIds; // by base id
    std::vector<TrieNode> nodes(1);
    std::vector<int> depth(1, 0);
    std::unordered_map<std::uint64_t, int> edges;

    for (std::size_t p = 0; p < phrases.size(); ++p) {
        const std::vector<std::string>& phrase = phrases[p];
        if (phrase.empty()) {
            continue;
        }
        int node = 0;
        for (const std::string& word : phrase) {
            auto [found, added] = baseIds.try_emplace(word, static_cast<int>(variantIds.size()));
            if (added) {
                std::vector<int32> ids;
                for (const std::string& variant : variants(word)) {
                    ids.push_back(static_cast<int32>(vocabulary.size()));
                    vocabulary.push_back(variant);
                }
                variantIds.push_back(std::move(ids));
            }
            int wordId = found->second;
            std::uint64_t key =
                (static_cast<std::uint64_t>(node) << 32) | static_cast<std::uint32_t>(wordId);
            auto [edge, isNew] = edges.try_emplace(key, static_cast<int>(nodes.size()));
            if (isNew) {
                nodes[node].children.emplace_back(wordId, edge->second);
                nodes.emplace_back();
                depth.push_back(depth[node] + 1);
            }
            node = edge->second;
        }
        bool part = sequence && p < sequence->parts.size() && sequence->parts[p];
        nodes[node].end = std::max(nodes[node].end, part ? kPartEnd : kWholeEnd);
    }

    // Nodes that accept the same endings are merged ("go to X news" and
    // "open X news" share "news"): the decoder visits every state in every
    // frame, so fewer states decode faster. Children come after their
    // parent, so a backward pass sees each child settled first.
    std::vector<int> same(nodes.size());
    std::map<std::pair<End, std::vector<std::pair<int, int>>>, int> signatures;
    for (std::size_t i = nodes.size(); i-- > 0;) {
        std::vector<std::pair<int, int>> endings;
        for (auto [wordId, child] : nodes[i].children) {
            endings.emplace_back(wordId, same[child]);
        }
        std::sort(endings.begin(), endings.end());
        auto [found, added] =
            signatures.try_emplace({nodes[i].end, std::move(endings)}, static_cast<int>(i));
        same[i] = i == 0 ? 0 : found->second;
    }

    // Nodes with children become states; every leaf is the final state.
    std::vector<int32> stateOf(nodes.size(), -1);
    int32 states = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (i == 0 || (same[i] == static_cast<int>(i) && !nodes[i].children.empty())) {
            stateOf[i] = states++;
        }
    }
    int32 garbageState = -1;
    std::vector<int32> garbageIds;
    if (garbage && !garbage->words.empty()) {
        garbageState = states++;
        for (const std::string& word : garbage->words) {
            garbageIds.push_back(static_cast<int32>(vocabulary.size()));
            vocabulary.push_back(word);
        }
    }
    int32 finalState = states++;
    // Phrases in sequence go on from a hub for each kind of end; the final
    // state itself has no way back, or every end would go on at the lower cost.
    int32 wholeEnd = finalState;
    int32 partEnd = finalState;
    if (sequence) {
        wholeEnd = states++;
        partEnd = states++;
    }
    auto endState = [&](End end) { return end == kPartEnd ? partEnd : wholeEnd; };

    fsg_model_t* fsg = fsg_model_init(name.c_str(), logmath, languageWeight, states);
    fsg->start_state = 0;
    fsg->final_state = finalState;
    setVocabulary(fsg, vocabulary);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (stateOf[i] < 0) {
            continue;
        }
        for (auto [wordId, child] : nodes[i].children) {
            int32 to =
                stateOf[same[child]] < 0 ? endState(nodes[same[child]].end) : stateOf[same[child]];
            for (int32 id : variantIds[wordId]) {
                fsg_model_trans_add(fsg, stateOf[i], to, 0, id);
            }
        }
        if (nodes[i].end != kNoEnd && i != 0) {
            fsg_model_null_trans_add(fsg, stateOf[i], endState(nodes[i].end), 0);
        }
    }
    if (garbageState >= 0) {
        int32 cost = scaledLog(logmath, garbage->wordLogProb, languageWeight);
        for (int32 id : garbageIds) {
            fsg_model_trans_add(fsg, 0, garbageState, cost, id);
            fsg_model_trans_add(fsg, garbageState, garbageState, cost, id);
        }
        int32 afterWordsCost =
            scaledLog(logmath, garbage->wordLogProb + garbage->afterWordsLogProb, languageWeight);
        for (std::size_t i = 1; i < nodes.size(); ++i) {
            if (stateOf[i] >= 0 && depth[i] <= garbage->afterWords) {
                for (int32 id : garbageIds) {
                    fsg_model_trans_add(fsg, stateOf[i], garbageState, afterWordsCost, id);
                }
            }
        }
        fsg_model_null_trans_add(fsg, garbageState, wholeEnd, 0);
    }
    if (sequence) {
        fsg_model_null_trans_add(fsg, wholeEnd, finalState, 0);
        fsg_model_null_trans_add(fsg, partEnd, finalState, 0);
        fsg_model_null_trans_add(fsg, wholeEnd, 0,
                                 scaledLog(logmath, sequence->logProb, languageWeight));
        fsg_model_null_trans_add(fsg, partEnd, 0,
                                 scaledLog(logmath, sequence->partLogProb, languageWeight));
        // The search follows one empty transition at a time: a phrase's
        // end reaches the start through two.
        glist_t nulls = fsg_model_null_trans_closure(fsg, nullptr);
        glist_free(nulls);
    }
    return FsgPtr(fsg);
}

FsgPtr buildWordLoopFsg(const std::string& name, const std::vector<std::string>& words,
                        logmath_s* logmath, float languageWeight, const GarbageLoop* garbage,
                        double wordLogProb) {
    const bool withGarbage = garbage && !garbage->words.empty();
    // Words loop on state 1; garbage, when there is any, on a state of its
    // own, so a word sequence is never heard half as garbage.
    const int32 finalState = withGarbage ? 3 : 1;
    fsg_model_t* fsg = fsg_model_init(name.c_str(), logmath, languageWeight, finalState + 1);
    fsg->start_state = 0;
    fsg->final_state = finalState;
    std::vector<std::string> vocabulary = words;
    if (withGarbage) {
        vocabulary.insert(vocabulary.end(), garbage->words.begin(), garbage->words.end());
    }
    setVocabulary(fsg, vocabulary);
    int32 cost = scaledLog(logmath, wordLogProb, languageWeight);
    for (std::size_t i = 0; i < words.size(); ++i) {
        fsg_model_trans_add(fsg, 0, 1, cost, static_cast<int32>(i));
        fsg_model_trans_add(fsg, 1, 1, cost, static_cast<int32>(i));
    }
    if (withGarbage) {
        fsg_model_null_trans_add(fsg, 1, finalState, 0);
        int32 garbageCost = scaledLog(logmath, garbage->wordLogProb, languageWeight);
        for (std::size_t i = words.size(); i < vocabulary.size(); ++i) {
            fsg_model_trans_add(fsg, 0, 2, garbageCost, static_cast<int32>(i));
            fsg_model_trans_add(fsg, 2, 2, garbageCost, static_cast<int32>(i));
        }
        fsg_model_null_trans_add(fsg, 2, finalState, 0);
    }
    return FsgPtr(fsg);
}

std::vector<std::string> describeFsg(fsg_model_s* fsg) {
    std::vector<std::string> lines;
    for (int32 state = 0; state < fsg_model_n_state(fsg); ++state) {
        std::vector<std::string> here;
        for (fsg_arciter_t* it = fsg_model_arcs(fsg, state); it; it = fsg_arciter_next(it)) {
            fsg_link_t* link = fsg_arciter_get(it);
            int32 wid = fsg_link_wid(link);
            here.push_back(
                std::to_string(fsg_link_from_state(link)) + " " +
                std::to_string(fsg_link_to_state(link)) + " " +
                (wid < 0 ? std::string("-") : std::string(fsg_model_word_str(fsg, wid))));
        }
        std::sort(here.begin(), here.end());
        lines.insert(lines.end(), here.begin(), here.end());
    }
    return lines;
}

} // namespace kelvo::speech
