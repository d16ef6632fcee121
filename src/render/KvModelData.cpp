#include "render/KvModelData.h"

#include "app/OMessageBox.h"
#include "data/OResourceArchive.h"
#include "render/KvModelRegistry.h"
#include "render/OGLExtensions.h"

KvModelData::KvModelData() : mesh(new KvMesh()) {}

KvModelData::~KvModelData() {
    DeleteDisplayList();
    octree.reset();
    delete mesh;
    ReleaseTextures();
}

void KvModelData::ReleaseTextures() {
    delete textures.first;
    delete textures.second;
    textures = {nullptr, nullptr};
}

bool KvModelData::Read(const std::string& path, bool reloadOnly) {
    OResourceArchive& archive = OResourceArchive::Instance();
    std::unique_ptr<uint8_t[]> bytes(archive.Open(path));
    if (!bytes) {
        lastResult = KvModelReader::Result::Missing;
        return false;
    }
    return ReadBytes(bytes.get(), archive.lastSize, reloadOnly);
}

void KvModelData::ReportWrongFormat() {
    // One box per model, however often it is read again.
    if (wrongFormatReported) {
        return;
    }
    wrongFormatReported = true;
    OMessageBox::Show("Error", kWrongFormatText, OMessageBox::Icon::Error);
}

bool KvModelData::ReadBytes(const uint8_t* data, size_t size, bool reloadOnly) {
    KvModelHeader header;
    if (KvModelReader::ReadHeader(data, size, header) && !header.magicMatches) {
        ReportWrongFormat();
    }
    octree.reset();
    delete mesh;
    mesh = new KvMesh();
    lastResult = KvModelReader::Read(data, size, header, *mesh);
    if (lastResult != KvModelReader::Result::Ok) {
        delete mesh;
        mesh = new KvMesh();
        return false;
    }
    if (!reloadOnly) {
        LoadTextures(header);
    }
    // The scale applies to every read, so a model keeps its size across
    // detail changes; normals and planes come from the scaled positions.
    mesh->Scale(scale);
    const bool smooth = KvModelRegistry::Instance().GetDetail() == 1 ? smoothHigh : smoothLow;
    mesh->ComputeNormals(smooth);
    mesh->ComputePlanes();
    return true;
}

void KvModelData::LoadTextures(const KvModelHeader& header) {
    ReleaseTextures();
    const bool hasDetail = !header.detailTexture.empty();
    if (header.baseTexture.size() >= 2) {
        auto base = std::make_unique<OTexture>();
        base->Load(header.baseTexture, !hasDetail);
        textures.first = base.release();
    }
    if (hasDetail) {
        auto detail = std::make_unique<OTexture>();
        detail->Load(header.detailTexture, true);
        textures.second = detail.release();
    }
}

bool KvModelData::Reload(const std::string& path) {
    DeleteDisplayList();
    octree.reset();
    delete mesh;
    mesh = new KvMesh();
    if (!Read(path, true)) {
        return false;
    }
    if (hasDisplayList) {
        BuildDisplayList();
    } else if (buildOctree) {
        BuildOctree();
    }
    return true;
}

void KvModelData::CopySettingsFrom(const KvModelData& other) {
    scale = other.scale;
    buildOctree = other.buildOctree;
    hasDetailVariants = other.hasDetailVariants;
    smoothHigh = other.smoothHigh;
    smoothLow = other.smoothLow;
    material = other.material;
    useMaterial = other.useMaterial;
}

void KvModelData::BuildOctree() {
    octree = std::make_unique<KvOctree>(mesh->faces);
}

void KvModelData::BuildDisplayList() {
    hasDisplayList = true;
    if (buildOctree) {
        BuildOctree();
    }
    if (OBaseImage::CanUseGL()) {
        CompileList();
    }
}

void KvModelData::DeleteDisplayList() {
    if (displayList != 0 && OBaseImage::CanUseGL()) {
        glDeleteLists(displayList, 1);
    }
    displayList = 0;
}

void KvModelData::ApplyMaterial() const {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material.specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, material.emission);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.shininess);
}

bool KvModelData::UseDetailUnit() const {
    if (textures.second == nullptr) {
        return false;
    }
    // The second texture unit is an extension on OpenGL 1.1.
    if (!OGLExtensions::HasMultitexture()) {
        OGLExtensions::LoadExtension("GL_ARB_multitexture");
    }
    return OGLExtensions::HasMultitexture();
}

void KvModelData::CompileList() {
    DeleteDisplayList();
    const bool detail = UseDetailUnit();
    displayList = glGenLists(1);
    if (displayList == 0) {
        return;
    }
    glNewList(displayList, GL_COMPILE);
    if (useMaterial) {
        ApplyMaterial();
    }
    if (textures.first != nullptr) {
        textures.first->Bind();
    }
    if (detail) {
        OGLExtensions::ActiveTextureARB(GL_TEXTURE1_ARB);
        glEnable(GL_TEXTURE_2D);
        textures.second->Bind();
        SendDetailTriangles();
        // Later drawing must not be modulated by the detail texture.
        glDisable(GL_TEXTURE_2D);
        OGLExtensions::ActiveTextureARB(GL_TEXTURE0_ARB);
    } else {
        SendTriangles();
    }
    glEndList();
}

void KvModelData::SendDetailTriangles() const {
    glBegin(GL_TRIANGLES);
    for (const KvFace& face : mesh->faces) {
        for (int corner = 0; corner < 3; ++corner) {
            const float* tc = face.texCoord[corner];
            OGLExtensions::MultiTexCoord2fvARB(GL_TEXTURE0_ARB, tc);
            OGLExtensions::MultiTexCoord2fARB(GL_TEXTURE1_ARB, tc[0] * kDetailRepeat,
                                              tc[1] * kDetailRepeat);
            glNormal3fv(face.normal[corner]);
            glVertex3fv(face.position[corner]);
        }
    }
    glEnd();
}

void KvModelData::SendTriangles() const {
    glBegin(GL_TRIANGLES);
    for (const KvFace& face : mesh->faces) {
        for (int corner = 0; corner < 3; ++corner) {
            glNormal3fv(face.normal[corner]);
            glTexCoord2fv(face.texCoord[corner]);
            glVertex3fv(face.position[corner]);
        }
    }
    glEnd();
}
