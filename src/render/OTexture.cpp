#include "render/OTexture.h"

#include "app/OErrorLog.h"
#include "app/OFileNotFound.h"
#include "data/OResourceArchive.h"

#include <map>
#include <memory>

namespace {

// The process-wide cache: name to image. It holds no reference of its own.
std::map<std::string, OBaseImage*>& Cache() {
    static auto* cache = new std::map<std::string, OBaseImage*>();
    return *cache;
}

bool IsJpegName(const std::string& name) {
    return name.find(".Jpg") != std::string::npos;
}

}  // namespace

OTexture::OTexture(std::string name) : name(std::move(name)) {}

OTexture::OTexture(const OTexture& other) : image(other.image), name(other.name) {
    if (image != nullptr) {
        image->AddReference();
    }
}

OTexture& OTexture::operator=(const OTexture& other) {
    if (this != &other) {
        if (other.image != nullptr) {
            other.image->AddReference();
        }
        Release();
        image = other.image;
        name = other.name;
    }
    return *this;
}

OTexture::~OTexture() {
    Release();
}

void OTexture::Release() {
    if (image == nullptr) {
        return;
    }
    OBaseImage* released = image;
    image = nullptr;
    if (released->RemoveReference()) {
        auto entry = Cache().find(name);
        if (entry != Cache().end() && entry->second == released) {
            Cache().erase(entry);
        }
    }
}

bool OTexture::DecodeBytes(OBaseImage& image, const std::string& name, const uint8_t* data,
                           size_t size) {
    return IsJpegName(name) ? image.DecodeJpeg(data, size) : image.DecodeTga(data, size);
}

void OTexture::ReadPixels(OBaseImage& image, const std::string& name) {
    const std::string path = kPathPrefix + name;
    OResourceArchive& archive = OResourceArchive::Instance();
    std::unique_ptr<uint8_t[]> bytes(archive.Open(path));
    if (!bytes) {
        OErrorLog::Instance().Error("Picture %s is missing: %s", path.c_str(),
                                    archive.Explain(path).c_str());
        throw OFileNotFound();
    }
    if (!DecodeBytes(image, name, bytes.get(), archive.lastSize)) {
        OErrorLog::Instance().Error("Picture %s cannot be decoded", path.c_str());
        throw OFileNotFound();
    }
}

bool OTexture::Load(const std::string& newName, bool mipmaps, bool keepPixels) {
    return LoadImage(newName, mipmaps, keepPixels, 1.0f);
}

bool OTexture::LoadScaled(const std::string& newName, float drawnScale) {
    return LoadImage(newName, false, false, drawnScale);
}

bool OTexture::LoadAtWidth(const std::string& newName, int drawnWidth) {
    return LoadImage(newName, false, false, 1.0f, drawnWidth);
}

bool OTexture::LoadImage(const std::string& newName, bool mipmaps, bool keepPixels,
                         float storedScale, int drawnWidth) {
    Release();
    name = newName;
    auto cached = Cache().find(name);
    if (cached != Cache().end()) {
        OBaseImage* shared = cached->second;
        if (keepPixels && !shared->keepPixels) {
            shared->keepPixels = true;
            if (!shared->HasPixels()) {
                ReadPixels(*shared, name);
            }
        }
        image = shared;
        image->AddReference();
        return true;
    }

    auto decoded = std::make_unique<OBaseImage>();
    decoded->mipmaps = mipmaps;
    decoded->keepPixels = keepPixels;
    decoded->storedScale = storedScale;
    ReadPixels(*decoded, name);
    if (drawnWidth > 0 && decoded->width > 0) {
        decoded->storedScale = static_cast<float>(drawnWidth) / static_cast<float>(decoded->width);
    }
    if (OBaseImage::CanUseGL()) {
        glEnable(GL_TEXTURE_2D);
    }
    decoded->Upload();
    image = decoded.release();
    image->AddReference();
    Cache()[name] = image;
    return true;
}

void OTexture::Bind() const {
    if (image == nullptr || !OBaseImage::CanUseGL()) {
        return;
    }
    if (image->parked) {
        Unpark();
    }
    if (image->textureName != 0) {
        glBindTexture(image->target, image->textureName);
    }
}

void OTexture::Park() const {
    if (image == nullptr || image->keepPixels) {
        return;
    }
    image->DeleteTexture();
    image->ReleasePixels();
    image->parked = true;
}

void OTexture::Unpark() const {
    image->parked = false;
    try {
        Reupload(*image, name);
    } catch (const OFileNotFound&) {
        // Logged; the picture stays blank rather than stop the frame.
    }
}

void OTexture::Reupload(OBaseImage& image, const std::string& name) {
    if (OBaseImage::CanUseGL() && !image.HasPixels()) {
        ReadPixels(image, name);
    }
    image.Upload();
}

int OTexture::GetWidth() const {
    return image != nullptr ? image->width : 0;
}

int OTexture::GetHeight() const {
    return image != nullptr ? image->height : 0;
}

void OTexture::Draw(double x, double y) const {
    if (!OBaseImage::CanUseGL()) {
        return;
    }
    const int width = GetWidth();
    const int height = GetHeight();
    Bind();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glTranslated(x, y, 0.0);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3i(1, 1, 0);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3i(width, 1, 0);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3i(width, height, 0);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3i(1, height, 0);
    glEnd();
    glPopMatrix();
}

namespace {
int contextGeneration = 0;
}  // namespace

int OTexture::ContextGeneration() {
    return contextGeneration;
}

void OTexture::DeleteAllTextures() {
    ++contextGeneration;
    for (auto& entry : Cache()) {
        entry.second->DeleteTexture();
    }
}

void OTexture::UploadAllTextures() {
    if (OBaseImage::CanUseGL()) {
        glEnable(GL_TEXTURE_2D);
    }
    for (auto& entry : Cache()) {
        if (entry.second->parked) {
            continue;  // read when it is drawn again
        }
        Reupload(*entry.second, entry.first);
    }
}

size_t OTexture::CachedImageCount() {
    return Cache().size();
}

bool OTexture::IsCached(const std::string& name) {
    return Cache().count(name) != 0;
}
