#include "render/OGLExtensions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Only whole names separated by spaces count, and a partial match does not
// hide a whole one later in the string.
TEST(OGLExtensionsTest, OnlyWholeNamesSeparatedBySpacesCount) {
    const char* two = "GL_ARB_multitexture GL_EXT_fog_coord";
    const char* decoys = "GL_EXT_fog_coordinates XGL_EXT_fog_coord GL_EXT_fog_coord_x";
    const std::string decoysThenWhole = std::string(decoys) + " GL_EXT_fog_coord";
    const std::vector<std::tuple<const char*, const char*, bool>> cases = {
        {two, "GL_ARB_multitexture", true},
        {two, "GL_EXT_fog_coord", true},
        {decoysThenWhole.c_str(), "GL_EXT_fog_coord", true},
        {"  GL_A   GL_B  ", "GL_B", true},
        {decoys, "GL_EXT_fog_coord", false},
        {two, "GL_ARB_multi", false},
        {two, "multitexture", false},
        {two, "GL_EXT_fog_coord2", false},
        {two, "", false},
        {two, "GL_ARB_multitexture GL_EXT_fog_coord", false},  // a name has no spaces
        {nullptr, "GL_EXT_fog_coord", false},
    };
    for (const auto& [text, name, supported] : cases) {
        EXPECT_EQ(OGLExtensions::IsSupportedIn(text, name), supported)
            << (text != nullptr ? text : "(none)") << " / " << name;
    }
}

// Loading fetches the entry points of the extension's row from the driver;
// what the driver lacks stays null.
TEST(OGLExtensionsTest, LoadingFetchesTheRowsEntryPointsOnly) {
    struct Reset {
        ~Reset() { OGLExtensions::SetDriver(nullptr, nullptr); }
    } reset;
    OGLExtensions::ForgetAll();
    OGLExtensions::SetDriver(nullptr, nullptr);
    EXPECT_FALSE(OGLExtensions::LoadExtension("GL_ARB_multitexture")) << "no context";
    const std::string offered = "GL_EXT_vertex_program GL_ARB_multitexture GL_Unknown_thing";
    std::vector<std::string> requested;
    OGLExtensions::SetDriver([&] { return offered.c_str(); },
                             [&](const char* name) -> void* {
                                 requested.push_back(name);
                                 return std::string(name) == "glMultiTexCoord3fARB"
                                            ? nullptr
                                            : reinterpret_cast<void*>(0x1000 + requested.size());
                             });
    ASSERT_TRUE(OGLExtensions::LoadExtension("GL_ARB_multitexture"));
    EXPECT_EQ(requested.size(), 5u);
    EXPECT_EQ(OGLExtensions::MultiTexCoord3fARB, nullptr);
    EXPECT_TRUE(OGLExtensions::HasMultitexture());
    EXPECT_EQ(OGLExtensions::GetEntryPoint("glActiveTextureARB"),
              reinterpret_cast<void*>(OGLExtensions::ActiveTextureARB));

    // The vertex-program row goes by the EXT name and fetches the NV names.
    requested.clear();
    ASSERT_TRUE(OGLExtensions::LoadExtension("GL_EXT_vertex_program"));
    ASSERT_EQ(requested.size(), 61u);
    EXPECT_EQ(requested.front(), "glAreProgramsResidentNV");
    EXPECT_EQ(requested.back(), "glVertexAttribs4ubvNV");
    EXPECT_NE(OGLExtensions::GetEntryPoint("glBindProgramNV"), nullptr);

    // Offered but not in the table: supported, nothing fetched. Not offered:
    // refused before any fetch.
    requested.clear();
    EXPECT_TRUE(OGLExtensions::LoadExtension("GL_Unknown_thing"));
    EXPECT_FALSE(OGLExtensions::LoadExtension("GL_NV_register_combiners"));
    EXPECT_TRUE(requested.empty());
    EXPECT_EQ(OGLExtensions::GetEntryPoint("glCombinerInputNV"), nullptr);

    OGLExtensions::ForgetAll();
    EXPECT_EQ(OGLExtensions::ActiveTextureARB, nullptr);
    EXPECT_EQ(OGLExtensions::GetEntryPoint("glBindProgramNV"), nullptr);
}
