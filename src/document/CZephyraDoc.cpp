#include "CZephyraDoc.h"

#include "ConfigurationStore.h"
#include "PointGeneration.h"

namespace zephyra {

CZephyraDoc::CZephyraDoc(DocumentHost& host, ConfigurationStore* store, std::uint64_t seed)
    : random(seed), host_(host), store_(store)
{
    if (store_)
        store_->Read(*this);
}

CZephyraDoc::~CZephyraDoc()
{
    if (store_)
        store_->Write(*this);
}

bool CZephyraDoc::ComputePoints(const AttractorRef& attractor, bool force, bool search, bool* continueFlag)
{
    ComputeContext context{buffer, current, random, host_, host_};
    return zephyra::ComputePoints(context, attractor, force, search, continueFlag);
}

void CZephyraDoc::SetAttractor(AttractorRef attractor, int flags, char letter)
{
    (void)attractor;
    (void)flags;
    (void)letter; // filled in with the search
}

void CZephyraDoc::OnNewDocument() { saved.RemoveAll(); }

} // namespace zephyra
