#include "render/OGLExtensions.h"

#include <SDL.h>

#include <cstring>
#include <map>

PFNGLACTIVETEXTUREARBPROC OGLExtensions::ActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC OGLExtensions::MultiTexCoord2fARB = nullptr;
PFNGLMULTITEXCOORD2FVARBPROC OGLExtensions::MultiTexCoord2fvARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC OGLExtensions::ClientActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD3FARBPROC OGLExtensions::MultiTexCoord3fARB = nullptr;

namespace {

struct ExtensionRow {
    const char* name;
    std::vector<const char*> entryPoints;
};

// The extensions we know, in lookup order. The vertex-program row goes by the
// EXT name but fetches the NV entry points.
const std::vector<ExtensionRow>& Table() {
    static const std::vector<ExtensionRow> table = {
        {"GL_EXT_fog_coord", {"glFogCoordfEXT", "glFogCoordfvEXT", "glFogCoordPointerEXT"}},
        {"GL_ARB_multitexture",
         {"glActiveTextureARB", "glMultiTexCoord2fARB", "glMultiTexCoord2fvARB",
          "glClientActiveTextureARB", "glMultiTexCoord3fARB"}},
        {"GL_EXT_point_parameter", {"glPointParameterfEXT", "glPointParameterfvEXT"}},
        {"GL_NV_point_sprite", {"glPointParameteriNV", "glPointParameterivNV"}},
        {"GL_ARB_texture_cube_map", {}},
        {"GL_EXT_texture_cube_map", {}},
        {"GL_EXT_vertex_program",
         {"glAreProgramsResidentNV",
          "glBindProgramNV",
          "glDeleteProgramsNV",
          "glExecuteProgramNV",
          "glGenProgramsNV",
          "glGetProgramParameterdvNV",
          "glGetProgramParameterfvNV",
          "glGetProgramivNV",
          "glGetProgramStringNV",
          "glGetTrackMatrixivNV",
          "glGetVertexAttribdvNV",
          "glGetVertexAttribfvNV",
          "glGetVertexAttribivNV",
          "glGetVertexAttribPointervNV",
          "glIsProgramNV",
          "glLoadProgramNV",
          "glProgramParameter4dNV",
          "glProgramParameter4dvNV",
          "glProgramParameter4fNV",
          "glProgramParameter4fvNV",
          "glProgramParameters4dvNV",
          "glProgramParameters4fvNV",
          "glRequestResidentProgramsNV",
          "glTrackMatrixNV",
          "glVertexAttribPointerNV",
          "glVertexAttrib1dNV",
          "glVertexAttrib1dvNV",
          "glVertexAttrib1fNV",
          "glVertexAttrib1fvNV",
          "glVertexAttrib1sNV",
          "glVertexAttrib1svNV",
          "glVertexAttrib2fNV",
          "glVertexAttrib2fvNV",
          "glVertexAttrib2sNV",
          "glVertexAttrib2svNV",
          "glVertexAttrib3dNV",
          "glVertexAttrib3dvNV",
          "glVertexAttrib3fNV",
          "glVertexAttrib3fvNV",
          "glVertexAttrib3sNV",
          "glVertexAttrib3svNV",
          "glVertexAttrib4dNV",
          "glVertexAttrib4dvNV",
          "glVertexAttrib4fNV",
          "glVertexAttrib4fvNV",
          "glVertexAttrib4sNV",
          "glVertexAttrib4svNV",
          "glVertexAttrib4ubvNV",
          "glVertexAttribs1dvNV",
          "glVertexAttribs1fvNV",
          "glVertexAttribs1svNV",
          "glVertexAttribs2dvNV",
          "glVertexAttribs2fvNV",
          "glVertexAttribs2svNV",
          "glVertexAttribs3dvNV",
          "glVertexAttribs3fvNV",
          "glVertexAttribs3svNV",
          "glVertexAttribs4dvNV",
          "glVertexAttribs4fvNV",
          "glVertexAttribs4svNV",
          "glVertexAttribs4ubvNV"}},
        {"GL_NV_register_combiners",
         {"glCombinerParameterfvNV", "glCombinerParameterfNV", "glCombinerParameterivNV",
          "glCombinerParameteriNV", "glCombinerInputNV", "glCombinerOutputNV",
          "glFinalCombinerInputNV", "glGetCombinerInputParameterfvNV",
          "glGetCombinerInputParameterivNV", "glGetCombinerOutputParameterfvNV",
          "glGetCombinerOutputParameterivNV", "glGetFinalCombinerInputParameterfvNV",
          "glGetFinalCombinerInputParameterivNV"}},
    };
    return table;
}

std::map<std::string, void*>& EntryPoints() {
    static auto* entryPoints = new std::map<std::string, void*>();
    return *entryPoints;
}

OGLExtensions::ExtensionSource& Source() {
    static OGLExtensions::ExtensionSource source;
    return source;
}

OGLExtensions::ProcLoader& Loader() {
    static OGLExtensions::ProcLoader loader;
    return loader;
}

const char* DriverExtensions() {
    if (Source()) {
        return Source()();
    }
    if (SDL_GL_GetCurrentContext() == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
}

void* FetchEntryPoint(const char* entryName) {
    if (Loader()) {
        return Loader()(entryName);
    }
    return SDL_GL_GetProcAddress(entryName);
}

}  // namespace

bool OGLExtensions::IsSupportedIn(const char* extensions, const std::string& name) {
    if (extensions == nullptr || name.empty() || name.find(' ') != std::string::npos) {
        return false;
    }
    const size_t length = name.size();
    const char* start = extensions;
    while (const char* found = std::strstr(start, name.c_str())) {
        const bool startsWord = found == extensions || found[-1] == ' ';
        const char after = found[length];
        if (startsWord && (after == ' ' || after == '\0')) {
            return true;
        }
        start = found + length;
    }
    return false;
}

bool OGLExtensions::IsExtensionSupported(const std::string& name) {
    return IsSupportedIn(DriverExtensions(), name);
}

bool OGLExtensions::LoadExtension(const std::string& name) {
    if (!IsExtensionSupported(name)) {
        return false;
    }
    for (const std::string& entryName : EntryPointNames(name)) {
        void* address = FetchEntryPoint(entryName.c_str());
        EntryPoints()[entryName] = address;
        StoreTyped(entryName, address);
    }
    return true;
}

void OGLExtensions::StoreTyped(const std::string& entryName, void* address) {
    if (entryName == "glActiveTextureARB") {
        ActiveTextureARB = reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(address);
    } else if (entryName == "glMultiTexCoord2fARB") {
        MultiTexCoord2fARB = reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(address);
    } else if (entryName == "glMultiTexCoord2fvARB") {
        MultiTexCoord2fvARB = reinterpret_cast<PFNGLMULTITEXCOORD2FVARBPROC>(address);
    } else if (entryName == "glClientActiveTextureARB") {
        ClientActiveTextureARB = reinterpret_cast<PFNGLCLIENTACTIVETEXTUREARBPROC>(address);
    } else if (entryName == "glMultiTexCoord3fARB") {
        MultiTexCoord3fARB = reinterpret_cast<PFNGLMULTITEXCOORD3FARBPROC>(address);
    }
}

void* OGLExtensions::GetEntryPoint(const std::string& entryName) {
    auto found = EntryPoints().find(entryName);
    return found != EntryPoints().end() ? found->second : nullptr;
}

std::vector<std::string> OGLExtensions::EntryPointNames(const std::string& extension) {
    for (const ExtensionRow& row : Table()) {
        if (extension == row.name) {
            return {row.entryPoints.begin(), row.entryPoints.end()};
        }
    }
    return {};
}

void OGLExtensions::ForgetAll() {
    for (auto& entry : EntryPoints()) {
        StoreTyped(entry.first, nullptr);
    }
    EntryPoints().clear();
}

void OGLExtensions::SetDriver(ExtensionSource source, ProcLoader loader) {
    Source() = std::move(source);
    Loader() = std::move(loader);
}

bool OGLExtensions::HasMultitexture() {
    return ActiveTextureARB != nullptr && MultiTexCoord2fARB != nullptr &&
           MultiTexCoord2fvARB != nullptr;
}
