#include "loader/skinstartup.h"
#include "peimagebuilder.h"
#include "samplehost.h"
#include "tests/loader/testloaderhost.h"

#include <gtest/gtest.h>

namespace {

// Lends a test host to a SkinStartup, which owns its host, so the calls stay visible after the
// start-up object is gone.
class BorrowedHost : public LoaderHost
{
public:
    explicit BorrowedHost(TestLoaderHost &host) : m_host(host) {}

    ModuleHandle programModule() override { return m_host.programModule(); }
    std::span<const std::uint8_t> findResource(ModuleHandle module, const char *type,
                                               std::uint16_t id) override
    {
        return m_host.findResource(module, type, id);
    }
    ImageMemory reserve(HostAddress address, std::uint32_t size) override
    {
        return m_host.reserve(address, size);
    }
    bool commit(ImageMemory &memory) override { return m_host.commit(memory); }
    void release(const ImageMemory &memory) override { m_host.release(memory); }
    ModuleHandle loadLibrary(const char *name) override { return m_host.loadLibrary(name); }
    void freeLibrary(ModuleHandle library) override { m_host.freeLibrary(library); }
    HostAddress findFunction(ModuleHandle library, const char *name) override
    {
        return m_host.findFunction(library, name);
    }
    HostAddress findFunctionByOrdinal(ModuleHandle library, std::uint16_t ordinal) override
    {
        return m_host.findFunctionByOrdinal(library, ordinal);
    }
    bool callEntryPoint(HostAddress entry, ModuleHandle instance, std::uint32_t reason) override
    {
        return m_host.callEntryPoint(entry, instance, reason);
    }
    void callSkinAttach(HostAddress function, std::uint32_t dataId, const char *dataType) override
    {
        m_host.callSkinAttach(function, dataId, dataType);
    }
    void showError(const QString &text, const QString &caption) override
    {
        m_host.showError(text, caption);
    }

private:
    TestLoaderHost &m_host;
};

} // namespace

TEST(SkinStartup, WithoutASkinLibraryNothingIsLoaded)
{
    TestLoaderHost host;
    addKernel32(host);
    // Only the skin data: without the library there is nothing to attach it to.
    host.addResource("SHE", 132, std::vector<std::uint8_t>{1, 2, 3});
    {
        SkinStartup skin(std::make_unique<BorrowedHost>(host));
        EXPECT_FALSE(skin.apply());
    }
    EXPECT_TRUE(host.reservations.empty());
    EXPECT_TRUE(host.loadedLibraries.empty());
    EXPECT_TRUE(host.entryCalls.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.skinAttaches.empty());

    // No platform host at all, as everywhere but Windows.
    SkinStartup none(nullptr);
    EXPECT_FALSE(none.apply());
}

TEST(SkinStartup, AttachesTheCarriedLibraryAndDetachesItLast)
{
    const SampleLibrary sample;
    TestLoaderHost host;
    prepare(host, sample.builder.build());
    const HostAddress base = PeImageBuilder::DefaultImageBase;
    {
        SkinStartup skin(std::make_unique<BorrowedHost>(host));
        ASSERT_TRUE(skin.apply());
        ASSERT_EQ(host.skinAttaches.size(), 1u);
        EXPECT_EQ(host.skinAttaches[0].function, base + SampleLibrary::Attach);
        EXPECT_EQ(host.skinAttaches[0].dataId, 132u);
        EXPECT_EQ(host.skinAttaches[0].dataType, "SHE");
        ASSERT_EQ(host.entryCalls.size(), 1u);
        EXPECT_EQ(host.entryCalls[0].instance, TestLoaderHost::Program);
        EXPECT_FALSE(host.everyReservationReleased());
    }
    ASSERT_EQ(host.entryCalls.size(), 2u);
    EXPECT_EQ(host.entryCalls[1].reason, 0u);
    EXPECT_TRUE(host.everyReservationReleased());
    EXPECT_TRUE(host.everyLibraryFreed());
}

TEST(SkinStartup, ALibraryWithoutTheAttachFunctionIsNotCalled)
{
    PeImageBuilder builder(0x2000);
    builder.addSection(0x1000, 0x1000, 0x100);
    writeExports(builder, 0x1000, {"OTHER.dll", 1, {0x1080}, {{"SkinH_Attach", 0}}});
    TestLoaderHost host;
    host.addResource("DLL", 130, builder.build());
    SkinStartup skin(std::make_unique<BorrowedHost>(host));

    EXPECT_FALSE(skin.apply());
    EXPECT_TRUE(host.skinAttaches.empty());
    EXPECT_TRUE(host.messages.empty());
}
