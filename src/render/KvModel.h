#pragma once

#include "render/KvShadowVolume.h"
#include "render/O3D.h"
#include "render/OVector3.h"

#include <cstdint>
#include <string>
#include <vector>

class KvModelData;

// A placed model: a transform and one reference on shared model data. A
// model of kind 0 owns a simpler shadow model (kind 1) from which shadow
// volumes for a point light are built.
class KvModel : public O3D {
public:
    static constexpr int kWithShadow = 0;
    static constexpr int kShadow = 1;
    static constexpr int kWithoutShadow = 2;

    explicit KvModel(int kind = kWithoutShadow);
    KvModel(const KvModel&) = delete;
    KvModel& operator=(const KvModel&) = delete;
    ~KvModel() override;

    // Translucent drawing (no depth writes, no lighting, alpha blending) when
    // translucency >= 0; in the model's colour, under its transform.
    virtual void Draw();
    bool IsVisible() const override { return visible; }
    // A new model sharing this one's data, with a clone of the shadow model.
    virtual KvModel* Clone() const;
    // Takes the cached data of that name, or reads "Data/Models/" + name (or
    // the "Hi/" or "Low/" variant when the data has detail variants) and
    // caches it. A kind-0 model also reads its shadow model from
    // "Data/Models/Shadows/" + name. Throws OFileNotFound when a file is
    // missing or refused.
    virtual bool Load(const std::string& name);

    // The triangles as lines, opaque white, under the transform.
    virtual void DrawWireframe();
    // Planes and neighbour table of the model's mesh.
    virtual void BuildNeighbours();
    // Which triangles face the light (world coordinates) and which of their
    // edges lie on the silhouette; on the shadow model when there is one.
    virtual void UpdateShadow(const OVector3& lightPosition);
    // Sends the volume: silhouette edges extruded away from the light, and
    // with caps the lit triangles and the unlit ones pushed to infinity.
    virtual void DrawShadowVolume(const OVector3& lightPosition, bool withCaps);

    // The geometry DrawShadowVolume sends, from the flags of the last
    // UpdateShadow.
    void BuildShadowVolume(const OVector3& lightPosition, bool withCaps,
                           KvShadowVolume& volume) const;
    // The light in the model's own coordinates.
    OVector3 LightInModelSpace(const OVector3& lightPosition) const;
    // Compiles the data's display list (and octree, when asked for).
    void BuildDisplayList();

    void SetTransform(const float rows[16]);
    void SetAxes(const OVector3& right, const OVector3& up, const OVector3& back);

    KvModelData* GetData() const { return data; }
    KvModel* GetShadowModel() const { return shadowModel; }
    int GetKind() const { return kind; }
    const std::string& GetName() const { return name; }
    // The model whose mesh and flags shadows work on: the shadow model when
    // there is one, otherwise this one.
    const KvModel& ShadowSource() const { return shadowModel != nullptr ? *shadowModel : *this; }
    const std::vector<uint8_t>& LitFlags() const { return lit; }
    const std::vector<uint32_t>& SilhouetteFlags() const { return silhouette; }

    double translucency = -1.0;
    bool visible = true;
    float colour[4] = {1.0f, 1.0f, 1.0f, -1.0f};

private:
    void AllocateShadowFlags();
    void UpdateOwnShadow(const OVector3& light);
    void UseData(KvModelData* newData);

    KvModelData* data = nullptr;
    KvModel* shadowModel = nullptr;
    int kind = kWithoutShadow;
    std::string name;
    std::vector<uint8_t> lit;
    std::vector<uint32_t> silhouette;
};
