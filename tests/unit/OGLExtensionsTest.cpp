#include "render/OGLExtensions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A driver offering a fixed extension string and entry points at made-up
// addresses, except those named in missing.
class FakeDriver {
public:
    explicit FakeDriver(std::string extensions, std::set<std::string> missing = {})
        : extensions(std::move(extensions)), missing(std::move(missing)) {
        OGLExtensions::ForgetAll();
        OGLExtensions::SetDriver([this] { return this->extensions.c_str(); },
                                 [this](const char* name) -> void* {
                                     requested.push_back(name);
                                     if (this->missing.count(name) != 0) {
                                         return nullptr;
                                     }
                                     return reinterpret_cast<void*>(
                                         0x1000 + 16 * static_cast<uintptr_t>(requested.size()));
                                 });
    }
    ~FakeDriver() {
        OGLExtensions::ForgetAll();
        OGLExtensions::SetDriver(nullptr, nullptr);
    }
    FakeDriver(const FakeDriver&) = delete;
    FakeDriver& operator=(const FakeDriver&) = delete;

    std::string extensions;
    std::set<std::string> missing;
    std::vector<std::string> requested;
};

}  // namespace

TEST(OGLExtensionsTest, OnlyWholeNamesSeparatedBySpacesCount) {
    const char* two = "GL_ARB_multitexture GL_EXT_fog_coord";
    EXPECT_TRUE(OGLExtensions::IsSupportedIn(two, "GL_ARB_multitexture"));
    EXPECT_TRUE(OGLExtensions::IsSupportedIn(two, "GL_EXT_fog_coord"));
    for (const char* part : {"GL_ARB_multi", "GL_EXT_fog", "GL_", "multitexture", "G", "fog_coord",
                             "GL_ARB_multitextureX", "GL_EXT_fog_coord2"}) {
        EXPECT_FALSE(OGLExtensions::IsSupportedIn(two, part)) << part;
    }
    EXPECT_FALSE(OGLExtensions::IsSupportedIn(two, ""));
    // A name with a space is refused even where the string holds it.
    EXPECT_FALSE(OGLExtensions::IsSupportedIn(two, "GL_ARB_multitexture GL_EXT_fog_coord"));
    EXPECT_FALSE(OGLExtensions::IsSupportedIn(two, "GL_EXT_fog_coord "));
    EXPECT_FALSE(OGLExtensions::IsSupportedIn(nullptr, "GL_EXT_fog_coord"));
}

TEST(OGLExtensionsTest, APartialMatchDoesNotHideAWholeOneLaterInTheString) {
    const char* text =
        "GL_EXT_fog_coordinates XGL_EXT_fog_coord GL_EXT_fog_coord_x GL_EXT_fog_coord";
    EXPECT_TRUE(OGLExtensions::IsSupportedIn(text, "GL_EXT_fog_coord"));
    EXPECT_FALSE(OGLExtensions::IsSupportedIn("GL_EXT_fog_coordinates XGL_EXT_fog_coord",
                                              "GL_EXT_fog_coord"));
    // Extra spaces between names do not matter.
    EXPECT_TRUE(OGLExtensions::IsSupportedIn("  GL_A   GL_B  ", "GL_B"));
    EXPECT_TRUE(OGLExtensions::IsSupportedIn("GL_A", "GL_A"));
}

TEST(OGLExtensionsTest, LoadingFetchesTheRowsEntryPointsOnly) {
    FakeDriver driver("GL_EXT_vertex_program GL_ARB_multitexture GL_Unknown_thing",
                      {"glMultiTexCoord3fARB"});
    EXPECT_EQ(OGLExtensions::ActiveTextureARB, nullptr);
    ASSERT_TRUE(OGLExtensions::LoadExtension("GL_ARB_multitexture"));
    EXPECT_EQ(driver.requested,
              (std::vector<std::string>{"glActiveTextureARB", "glMultiTexCoord2fARB",
                                        "glMultiTexCoord2fvARB", "glClientActiveTextureARB",
                                        "glMultiTexCoord3fARB"}));
    EXPECT_NE(OGLExtensions::ActiveTextureARB, nullptr);
    EXPECT_NE(OGLExtensions::MultiTexCoord2fvARB, nullptr);
    EXPECT_EQ(OGLExtensions::MultiTexCoord3fARB, nullptr) << "what the driver lacks stays null";
    EXPECT_TRUE(OGLExtensions::HasMultitexture());
    EXPECT_EQ(OGLExtensions::GetEntryPoint("glActiveTextureARB"),
              reinterpret_cast<void*>(OGLExtensions::ActiveTextureARB));

    // The vertex-program row goes by the EXT name and fetches the NV names.
    driver.requested.clear();
    ASSERT_TRUE(OGLExtensions::LoadExtension("GL_EXT_vertex_program"));
    ASSERT_EQ(driver.requested.size(), 61u);
    EXPECT_EQ(driver.requested.front(), "glAreProgramsResidentNV");
    EXPECT_EQ(driver.requested.back(), "glVertexAttribs4ubvNV");
    EXPECT_NE(OGLExtensions::GetEntryPoint("glBindProgramNV"), nullptr);

    // Offered but not in the table: supported, nothing fetched.
    driver.requested.clear();
    EXPECT_TRUE(OGLExtensions::LoadExtension("GL_Unknown_thing"));
    EXPECT_TRUE(driver.requested.empty());

    // Not offered: refused before any fetch.
    EXPECT_FALSE(OGLExtensions::LoadExtension("GL_NV_register_combiners"));
    EXPECT_FALSE(OGLExtensions::LoadExtension("GL_ARB"));
    EXPECT_TRUE(driver.requested.empty());
    EXPECT_EQ(OGLExtensions::GetEntryPoint("glCombinerInputNV"), nullptr);

    OGLExtensions::ForgetAll();
    EXPECT_EQ(OGLExtensions::ActiveTextureARB, nullptr);
    EXPECT_EQ(OGLExtensions::GetEntryPoint("glBindProgramNV"), nullptr);
}

TEST(OGLExtensionsTest, WithoutAContextNothingIsSupported) {
    OGLExtensions::SetDriver(nullptr, nullptr);
    EXPECT_FALSE(OGLExtensions::IsExtensionSupported("GL_ARB_multitexture"));
    EXPECT_FALSE(OGLExtensions::LoadExtension("GL_ARB_multitexture"));
}
