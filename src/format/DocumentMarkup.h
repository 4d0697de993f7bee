#pragma once

#include <string>
#include <vector>

// What a database file holds around its signals that a save writes back as the file had it
// (UTF-8, serialised): comments and processing instructions before and after the root
// element, each on a line of its own, and the attributes without a namespace of
// SignalDatabase and SignalList (' name="value"' pairs).
struct SignalDocumentMarkup {
    std::string prolog;
    std::string rootAttributes;
    std::string listAttributes;
    std::string epilog;

    bool operator==(const SignalDocumentMarkup& other) const = default;
    bool Empty() const {
        return prolog.empty() && rootAttributes.empty() && listAttributes.empty() && epilog.empty();
    }
};

// Three versions' markup merged part by part (as merge3 merges signals): a part one side
// changed comes from that side; a part both changed differently keeps ours, and its name
// ("comments and instructions before the root", ...) is added to conflicts.
SignalDocumentMarkup MergeDocumentMarkup(const SignalDocumentMarkup& base,
                                         const SignalDocumentMarkup& ours,
                                         const SignalDocumentMarkup& theirs,
                                         std::vector<const char*>& conflicts);
