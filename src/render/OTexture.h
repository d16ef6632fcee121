#pragma once

#include "render/OBaseImage.h"

#include <cstddef>
#include <string>

// A handle on a shared image, named by its file below "Data/Textures/". All
// handles of one name share one decoded image through a process-wide cache;
// the image goes when the last handle goes.
class OTexture {
public:
    static constexpr const char* kPathPrefix = "Data/Textures/";

    explicit OTexture(std::string name = "");
    OTexture(const OTexture& other);
    OTexture& operator=(const OTexture& other);
    ~OTexture();

    // Refers this handle to the image of that name, reading and decoding the
    // file when no other handle holds it. Throws OFileNotFound when the file
    // is missing or cannot be decoded; the handle then holds no image.
    // `mipmaps`: for pictures drawn smaller than their own size; one drawn at
    // its own size is built without. `keepPixels`: the image keeps its
    // pixels after the upload for a user that reads them (read again when
    // the cached image has let them go).
    bool Load(const std::string& name, bool mipmaps = true, bool keepPixels = false);
    // As Load, for a picture that is always drawn at `drawnScale` (below 1)
    // of its own size: its texture is stored at that size, without mipmaps.
    // GetWidth and GetHeight still give the picture's own size.
    bool LoadScaled(const std::string& name, float drawnScale);
    // As LoadScaled, for a picture always drawn `drawnWidth` pixels wide
    // (its height in proportion), whatever its own size.
    bool LoadAtWidth(const std::string& name, int drawnWidth);
    // Binds the texture object; does nothing without one. A parked picture
    // is read from the archive and uploaded again first.
    void Bind() const;
    // Lets the driver's copy of a picture that will not be shown for a while
    // go (the shell's background while a game runs), for every handle of
    // its name. Pictures that keep their pixels are left as they are.
    void Park() const;
    int GetWidth() const;
    int GetHeight() const;
    // The whole picture as one quad at (x, y) in the current 2D projection,
    // texture row 0 at the lower edge.
    void Draw(double x, double y) const;

    OBaseImage* GetImage() const { return image; }
    const std::string& GetName() const { return name; }

    // Deletes every cached image's texture object, as the context is about
    // to go; the context generation counts these calls, so textures made
    // outside the cache can tell they went with the old context.
    static void DeleteAllTextures();
    static int ContextGeneration();
    // Builds a new texture object for every cached image, in name order;
    // images that let their pixels go read them from the archive again.
    // Throws OFileNotFound when one cannot be read any more.
    static void UploadAllTextures();
    // Number of images in the cache, and whether it holds a name (tests).
    static size_t CachedImageCount();
    static bool IsCached(const std::string& name);

    // Decodes bytes as the file name says: JPEG when it contains ".Jpg",
    // otherwise TGA. No archive access; false when the bytes are refused.
    static bool DecodeBytes(OBaseImage& image, const std::string& name, const uint8_t* data,
                            size_t size);

private:
    void Release();
    void Unpark() const;
    // `drawnWidth` above 0 sets the stored scale from the decoded width.
    bool LoadImage(const std::string& name, bool mipmaps, bool keepPixels, float storedScale,
                   int drawnWidth = 0);
    // Reads and decodes "Data/Textures/<name>" into the image; throws
    // OFileNotFound (and logs why) when that fails.
    static void ReadPixels(OBaseImage& image, const std::string& name);
    // Uploads the image, reading its pixels first when it let them go.
    static void Reupload(OBaseImage& image, const std::string& name);

    OBaseImage* image = nullptr;
    std::string name;
};
