#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <functional>
#include <string>
#include <vector>

// Optional OpenGL extensions: whether the driver offers one, and the entry
// points of a fixed set of them, fetched once into process-wide pointers.
// Every pointer is null until its extension has been loaded.
class OGLExtensions {
public:
    // The driver's extension string (null when there is none) and its entry
    // point loader. Tests put their own in place; empty ones restore the
    // current GL context's.
    using ExtensionSource = std::function<const char*()>;
    using ProcLoader = std::function<void*(const char*)>;

    // True when name occurs in extensions as a whole word: at the start or
    // after a space, and followed by a space or the end. Empty names and
    // names with a space are never supported.
    static bool IsSupportedIn(const char* extensions, const std::string& name);
    // The same test against the driver's string; false without a GL context.
    static bool IsExtensionSupported(const std::string& name);
    // Fetches the entry points of the named extension (none for a name not in
    // the table). False when the driver does not offer the extension.
    static bool LoadExtension(const std::string& name);

    // The fetched entry point of that name, null when it is not loaded.
    static void* GetEntryPoint(const std::string& entryName);
    // The entry point names that LoadExtension fetches for an extension.
    static std::vector<std::string> EntryPointNames(const std::string& extension);
    // Sets every pointer back to null.
    static void ForgetAll();
    static void SetDriver(ExtensionSource source, ProcLoader loader);

    // The second texture unit for model detail textures.
    static PFNGLACTIVETEXTUREARBPROC ActiveTextureARB;
    static PFNGLMULTITEXCOORD2FARBPROC MultiTexCoord2fARB;
    static PFNGLMULTITEXCOORD2FVARBPROC MultiTexCoord2fvARB;
    static PFNGLCLIENTACTIVETEXTUREARBPROC ClientActiveTextureARB;
    static PFNGLMULTITEXCOORD3FARBPROC MultiTexCoord3fARB;

    // True when the multitexture entry points the model lists use are there.
    static bool HasMultitexture();

private:
    static void StoreTyped(const std::string& entryName, void* address);
};
