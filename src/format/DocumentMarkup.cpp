#include "DocumentMarkup.h"

SignalDocumentMarkup MergeDocumentMarkup(const SignalDocumentMarkup& base,
                                         const SignalDocumentMarkup& ours,
                                         const SignalDocumentMarkup& theirs,
                                         std::vector<const char*>& conflicts) {
    SignalDocumentMarkup merged = ours;
    const struct {
        std::string SignalDocumentMarkup::*part;
        const char* name;
    } parts[] = {
        {&SignalDocumentMarkup::prolog, "comments and instructions before the root"},
        {&SignalDocumentMarkup::rootAttributes, "attributes of SignalDatabase"},
        {&SignalDocumentMarkup::listAttributes, "attributes of SignalList"},
        {&SignalDocumentMarkup::epilog, "comments and instructions after the root"},
    };
    for (const auto& [part, name] : parts) {
        if (theirs.*part == base.*part || theirs.*part == ours.*part)
            continue; // theirs left it, or both made it the same
        if (ours.*part == base.*part)
            merged.*part = theirs.*part;
        else
            conflicts.push_back(name);
    }
    return merged;
}
