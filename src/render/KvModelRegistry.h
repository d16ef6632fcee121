#pragma once

#include <cstddef>
#include <map>
#include <string>

class KvModelData;

// The process-wide cache of model data by file name, and the model detail
// level (1 high, 0 low) that picks the "Hi/" or "Low/" variant of a model and
// its normals.
class KvModelRegistry {
public:
    static constexpr const char* kModelPrefix = "Data/Models/";
    static constexpr const char* kHighPrefix = "Data/Models/Hi/";
    static constexpr const char* kLowPrefix = "Data/Models/Low/";
    static constexpr const char* kShadowPrefix = "Data/Models/Shadows/";

    // Created on first use with the level of the ModelDetail option.
    static KvModelRegistry& Instance();

    KvModelRegistry(const KvModelRegistry&) = delete;
    KvModelRegistry& operator=(const KvModelRegistry&) = delete;

    int GetDetail() const { return detail; }
    // Sets the level (any positive value is high). A change reloads every
    // cached model that has detail variants; false when one cannot be read.
    bool SetDetail(int level);
    // Reads every cached model with detail variants again from the current
    // level's folder. Stops and returns false at the first that cannot be
    // read.
    bool ReloadAll();

    // Around a re-creation of the GL context: delete every cached model's
    // display list before the old context goes, and build them again in the
    // new one (after the textures are uploaded again).
    void DeleteAllLists();
    void RebuildAllLists();

    // The folder a model's file is read from at the current level.
    std::string Folder(bool hasDetailVariants) const;

    // The cached data of a name (case-sensitive), or null.
    KvModelData* Find(const std::string& name) const;
    // Caches data under a name; the registry holds one reference on it.
    void Enter(const std::string& name, KvModelData* data);
    size_t Count() const { return models.size(); }
    // Drops every cached entry and its reference (tests, shut-down).
    void Clear();

private:
    KvModelRegistry();

    int detail = 1;
    std::map<std::string, KvModelData*> models;
};
