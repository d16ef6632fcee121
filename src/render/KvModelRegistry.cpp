#include "render/KvModelRegistry.h"

#include "data/SystemOptions.h"
#include "render/KvModelData.h"

KvModelRegistry& KvModelRegistry::Instance() {
    static auto* registry = new KvModelRegistry();
    return *registry;
}

KvModelRegistry::KvModelRegistry() : detail(SystemOptions.ModelDetail > 0 ? 1 : 0) {}

bool KvModelRegistry::SetDetail(int level) {
    const int newDetail = level > 0 ? 1 : 0;
    if (newDetail == detail) {
        return true;
    }
    detail = newDetail;
    return ReloadAll();
}

std::string KvModelRegistry::Folder(bool hasDetailVariants) const {
    if (!hasDetailVariants) {
        return kModelPrefix;
    }
    return detail == 1 ? kHighPrefix : kLowPrefix;
}

bool KvModelRegistry::ReloadAll() {
    for (auto& entry : models) {
        KvModelData* data = entry.second;
        if (!data->hasDetailVariants) {
            continue;
        }
        if (!data->Reload(Folder(true) + entry.first)) {
            return false;
        }
    }
    return true;
}

void KvModelRegistry::DeleteAllLists() {
    for (auto& entry : models) {
        entry.second->DeleteDisplayList();
    }
}

void KvModelRegistry::RebuildAllLists() {
    for (auto& entry : models) {
        if (entry.second->hasDisplayList) {
            entry.second->BuildDisplayList();
        }
    }
}

KvModelData* KvModelRegistry::Find(const std::string& name) const {
    auto found = models.find(name);
    return found != models.end() ? found->second : nullptr;
}

void KvModelRegistry::Enter(const std::string& name, KvModelData* data) {
    data->AddReference();
    auto found = models.find(name);
    if (found != models.end()) {
        found->second->RemoveReference();
        found->second = data;
        return;
    }
    models[name] = data;
}

void KvModelRegistry::Clear() {
    std::map<std::string, KvModelData*> old;
    old.swap(models);
    for (auto& entry : old) {
        entry.second->RemoveReference();
    }
}
