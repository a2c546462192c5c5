#pragma once
#include "CZephyraDoc.h"

namespace zephyra {

namespace testing {

// What a test sets up directly, as a file or an earlier run would have left it: no operation
// runs and no hint is sent.
struct DocumentState {
    AttractorList& saved;
    AttractorList& favorites;
    AttractorList& history;
    AttractorRef& current;
    std::int32_t& historyPosition;
    PointBuffer& buffer;
    DocumentSettings& settings;
    RandomGenerator& random;
};

struct DocumentAccess {
    static DocumentState State(CZephyraDoc& doc)
    {
        return {doc.saved_,           doc.favorites_, doc.history_,  doc.current_,
                doc.historyPosition_, doc.buffer_,    doc.settings_, doc.random_};
    }
};

} // namespace testing

// Found by argument lookup from every test namespace.
inline testing::DocumentState Arrange(CZephyraDoc& doc)
{
    return testing::DocumentAccess::State(doc);
}

} // namespace zephyra
