#pragma once

namespace zephyra {

class CZephyraDoc;

// Reads the configuration into a document at construction and writes it back at destruction.
// The XML configuration file implements it; the command line and tests may use none.
class ConfigurationStore {
public:
    virtual ~ConfigurationStore() = default;
    virtual void Read(CZephyraDoc& document) = 0;
    virtual void Write(const CZephyraDoc& document) = 0;
};

} // namespace zephyra
