#include "render/KvModel.h"

#include "app/OFileNotFound.h"
#include "render/KvModelData.h"
#include "render/KvModelRegistry.h"
#include "render/OBaseImage.h"

#include <GL/gl.h>

#include <cstring>
#include <memory>

namespace {

// Triangles whose plane passes this close to the light count as unlit.
constexpr float kLitEpsilon = 1e-8f;

void PushPoint(std::vector<float>& out, const OVector3& p, float w) {
    out.insert(out.end(), {p.x, p.y, p.z, w});
}

}  // namespace

KvModel::KvModel(int modelKind) : data(new KvModelData()), kind(modelKind) {
    data->AddReference();
}

KvModel::~KvModel() {
    delete shadowModel;
    data->RemoveReference();
}

void KvModel::UseData(KvModelData* newData) {
    newData->AddReference();
    data->RemoveReference();
    data = newData;
}

bool KvModel::Load(const std::string& modelName) {
    name = modelName;
    KvModelRegistry& registry = KvModelRegistry::Instance();
    if (KvModelData* cached = registry.Find(name)) {
        UseData(cached);
    } else {
        if (data->IsShared()) {
            // The data is cached under another name (or held by a clone):
            // read into fresh data with the same settings instead of
            // overwriting it.
            auto* fresh = new KvModelData();
            fresh->CopySettingsFrom(*data);
            UseData(fresh);
        }
        if (!data->Read(registry.Folder(data->hasDetailVariants) + name, false)) {
            throw OFileNotFound();
        }
        registry.Enter(name, data);
    }

    if (kind == kWithShadow) {
        auto shadow = std::make_unique<KvModel>(kShadow);
        shadow->name = name;
        if (!shadow->data->Read(KvModelRegistry::kShadowPrefix + name, false)) {
            throw OFileNotFound();
        }
        shadow->AllocateShadowFlags();
        shadow->BuildNeighbours();
        delete shadowModel;
        shadowModel = shadow.release();
    }
    if (kind != kShadow) {
        AllocateShadowFlags();
        BuildNeighbours();
    }
    return true;
}

KvModel* KvModel::Clone() const {
    auto copy = std::make_unique<KvModel>(kind);
    copy->UseData(data);
    std::memcpy(copy->transform, transform, sizeof transform);
    copy->name = name;
    copy->translucency = translucency;
    copy->visible = visible;
    std::memcpy(copy->colour, colour, sizeof colour);
    copy->lit = lit;
    copy->silhouette = silhouette;
    if (shadowModel != nullptr) {
        copy->shadowModel = shadowModel->Clone();
    }
    return copy.release();
}

void KvModel::SetTransform(const float rows[16]) {
    std::memcpy(transform, rows, sizeof transform);
}

void KvModel::SetAxes(const OVector3& right, const OVector3& up, const OVector3& back) {
    const OVector3 axes[3] = {right, up, back};
    for (int row = 0; row < 3; ++row) {
        transform[row][0] = axes[row].x;
        transform[row][1] = axes[row].y;
        transform[row][2] = axes[row].z;
        transform[row][3] = 0.0f;
    }
}

void KvModel::BuildDisplayList() {
    data->BuildDisplayList();
}

void KvModel::Draw() {
    if (!visible || !OBaseImage::CanUseGL()) {
        return;
    }
    glPushMatrix();
    glMultMatrixf(&transform[0][0]);
    glColor4fv(colour);
    const bool translucent = translucency >= 0.0;
    GLboolean depthWrites = GL_TRUE;
    GLboolean lighting = GL_FALSE;
    GLboolean blending = GL_FALSE;
    if (translucent) {
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        lighting = glIsEnabled(GL_LIGHTING);
        blending = glIsEnabled(GL_BLEND);
        glDepthMask(GL_FALSE);
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    if (data->displayList != 0) {
        glCallList(data->displayList);
    } else {
        if (data->BaseTexture() != nullptr) {
            data->BaseTexture()->Bind();
        }
        data->SendTriangles();
    }
    if (translucent) {
        // Back to what the caller had, not to fixed settings.
        glDepthMask(depthWrites);
        if (lighting) {
            glEnable(GL_LIGHTING);
        }
        if (!blending) {
            glDisable(GL_BLEND);
        }
    }
    glPopMatrix();
}

void KvModel::DrawWireframe() {
    if (!OBaseImage::CanUseGL()) {
        return;
    }
    glPushMatrix();
    glMultMatrixf(&transform[0][0]);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (data->BaseTexture() != nullptr) {
        data->BaseTexture()->Bind();
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    data->SendTriangles();
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPopMatrix();
}

void KvModel::AllocateShadowFlags() {
    const size_t triangles = data->mesh->triangleCount;
    lit.assign(triangles, 0);
    silhouette.assign(triangles * 3, 0);
}

void KvModel::BuildNeighbours() {
    data->mesh->ComputePlanes();
    data->mesh->BuildNeighbours();
}

OVector3 KvModel::LightInModelSpace(const OVector3& lightPosition) const {
    // The inverse of the rigid transform: the offset from the model's
    // position, projected on its axes.
    const OVector3 offset = lightPosition - GetPosition();
    return {GetRight().Dot(offset), GetUp().Dot(offset), GetBack().Dot(offset)};
}

void KvModel::UpdateShadow(const OVector3& lightPosition) {
    const OVector3 light = LightInModelSpace(lightPosition);
    if (shadowModel != nullptr) {
        std::memcpy(shadowModel->transform, transform, sizeof transform);
        shadowModel->UpdateOwnShadow(light);
    } else {
        UpdateOwnShadow(light);
    }
}

void KvModel::UpdateOwnShadow(const OVector3& light) {
    KvMesh& mesh = *data->mesh;
    // A reload at another detail level may have changed the mesh.
    if (lit.size() != mesh.triangleCount) {
        AllocateShadowFlags();
    }
    if (!mesh.HasNeighbours()) {
        BuildNeighbours();
    }
    for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
        const float* plane = mesh.Plane(t);
        const float s = plane[0] * light.x + plane[1] * light.y + plane[2] * light.z + plane[3];
        lit[t] = s > kLitEpsilon ? 1 : 0;
    }
    for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
        for (int edge = 0; edge < 3; ++edge) {
            const int32_t across = mesh.Neighbour(t, edge);
            const bool open = across < 0;
            silhouette[t * 3 + edge] = lit[t] != 0 && (open || lit[across] == 0) ? 1 : 0;
        }
    }
}

void KvModel::BuildShadowVolume(const OVector3& lightPosition, bool withCaps,
                                KvShadowVolume& volume) const {
    volume.quads.clear();
    volume.caps.clear();
    const KvModel& source = ShadowSource();
    const KvMesh& mesh = *source.data->mesh;
    if (source.lit.size() != mesh.triangleCount) {
        return;  // no UpdateShadow since the mesh changed
    }
    const OVector3 light = LightInModelSpace(lightPosition);
    for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
        for (int edge = 0; edge < 3; ++edge) {
            if (source.silhouette[t * 3 + edge] == 0) {
                continue;
            }
            const OVector3 p = mesh.Position(mesh.Corner(t, edge));
            const OVector3 q = mesh.Position(mesh.Corner(t, (edge + 1) % 3));
            PushPoint(volume.quads, q, 1.0f);
            PushPoint(volume.quads, p, 1.0f);
            PushPoint(volume.quads, p - light, 0.0f);
            PushPoint(volume.quads, q - light, 0.0f);
        }
    }
    if (!withCaps) {
        return;
    }
    for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
        const bool isLit = source.lit[t] != 0;
        for (int corner = 0; corner < 3; ++corner) {
            const OVector3 c = mesh.Position(mesh.Corner(t, corner));
            if (isLit) {
                PushPoint(volume.caps, c, 1.0f);
            } else {
                PushPoint(volume.caps, c - light, 0.0f);
            }
        }
    }
}

void KvModel::DrawShadowVolume(const OVector3& lightPosition, bool withCaps) {
    if (!OBaseImage::CanUseGL()) {
        return;
    }
    KvShadowVolume volume;
    BuildShadowVolume(lightPosition, withCaps, volume);
    glPushMatrix();
    glMultMatrixf(&transform[0][0]);
    glBegin(GL_QUADS);
    for (size_t i = 0; i + 3 < volume.quads.size(); i += 4) {
        glVertex4fv(&volume.quads[i]);
    }
    glEnd();
    if (withCaps) {
        glBegin(GL_TRIANGLES);
        for (size_t i = 0; i + 3 < volume.caps.size(); i += 4) {
            glVertex4fv(&volume.caps[i]);
        }
        glEnd();
    }
    glPopMatrix();
}
