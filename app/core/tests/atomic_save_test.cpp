// Saves that cannot lose the old file: killed in the middle, refused by a
// full disk, or failing in the writer.
#include <gtest/gtest.h>

#include <qd/core/atomic_file.h>
#include <qd/core/document_files.h>
#include <qd/core/kernel_library.h>
#include <qd/grpobj.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

#include "file_fixtures.h"

using namespace fixtures;
namespace fs = std::filesystem;

namespace {

// Temporary files a save left beside path.
std::vector<std::string> leftovers(const std::string& path) {
    std::vector<std::string> found;
    const fs::path p(path);
    const std::string ours = p.stem().string() + ".part-";
    for (const auto& e : fs::directory_iterator(p.parent_path())) {
        const std::string name = e.path().filename().string();
        if (name.rfind(ours, 0) == 0) found.push_back(name);
    }
    return found;
}

int64_t largestLeftover(const std::string& path) {
    int64_t largest = -1;
    for (const std::string& name : leftovers(path)) {
        struct stat st;
        if (::stat((fs::path(path).parent_path() / name).c_str(), &st) == 0)
            largest = std::max<int64_t>(largest, st.st_size);
    }
    return largest;
}

// Runs save in a child and kills it with SIGKILL once a temporary file beside
// path holds atBytes bytes (atBytes < 0: lets it finish).
void killDuring(const std::function<void()>& save, const std::string& path, int64_t atBytes) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        save();
        ::_exit(0);
    }
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if ((atBytes >= 0 && largestLeftover(path) >= atBytes) || std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// Runs save in a child that may write at most limit bytes to any file;
// returns what save returned.
bool withFileSizeLimit(const std::function<bool()>& save, rlim_t limit) {
    const pid_t child = ::fork();
    if (child < 0) return true;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &r);
        ::_exit(save() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return !WIFEXITED(status) || WEXITSTATUS(status) == 0;
}

// 8 MiB of doubles, each save's values its own.
ImagePtr largeImage(double value) {
    MTHANDLE mt = MTCreate(1024, 1024, MT_DOUBLE);
    auto* v = static_cast<double*>(MTGetPointer(mt));
    for (int64_t i = 0; i < MTGetMemorySize(mt) / 8; ++i) v[i] = value + double(i % 4099);
    ImagePtr im(IMCreateFromMatrix(mt));
    IMDefaultRange(im.get(), 0);
    return im;
}

// Kills the save at several points; each time the file holds either the
// old bytes or the complete new ones. Both outcomes must be seen.
void expectOldOrNew(const std::string& path, const std::vector<uint8_t>& old, const std::vector<uint8_t>& fresh,
                    const std::function<void()>& save) {
    bool sawOld = false;
    for (double fraction : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        spill(fs::path(path).filename().string(), old);
        killDuring(save, path, int64_t(fraction * double(fresh.size())));
        const std::vector<uint8_t> now = slurp(path);
        ASSERT_TRUE(now == old || now == fresh) << "mixed file after a kill at " << fraction;
        sawOld = sawOld || now == old;
    }
    EXPECT_TRUE(sawOld);
    killDuring(save, path, -1);
    EXPECT_TRUE(slurp(path) == fresh);
}

TEST(AtomicSave, KilledImageSaveLeavesOldOrNewFile) {
    const std::string path = tempPath("killed.qdw");
    const ImagePtr before = largeImage(1), after = largeImage(2);
    ASSERT_TRUE(qd::saveDocumentFile(after.get(), path, {}));
    const std::vector<uint8_t> fresh = slurp(path);
    ASSERT_TRUE(qd::saveDocumentFile(before.get(), path, {}));
    const std::vector<uint8_t> old = slurp(path);
    ASSERT_NE(old, fresh);
    expectOldOrNew(path, old, fresh, [&] { qd::saveDocumentFile(after.get(), path, {}); });
    // The killed saves' temporary files go with the next save.
    ASSERT_TRUE(qd::saveDocumentFile(after.get(), path, {}));
    EXPECT_TRUE(leftovers(path).empty());
}

TEST(AtomicSave, KilledKernelAndPaletteSavesLeaveOldOrNewFile) {
    const std::string kernels = tempPath("kernels.dat");
    std::vector<double> weights(255 * 255, 1.0);
    std::vector<uint8_t> old;
    {
        qd::CKernelLibrary lib(kernels);
        CONVKERNEL k{};
        std::strcpy(k.name, "old");
        k.N = 3, k.divisor = 9, k.weights = weights.data();
        lib.add(k);
    }
    old = slurp(kernels);
    const auto bigKernels = [&] {
        qd::CKernelLibrary lib(kernels);
        CONVKERNEL k{};
        k.N = 255, k.divisor = 1, k.weights = weights.data();
        for (int i = 0; i < 20; ++i) {
            std::snprintf(k.name, sizeof k.name, "big%d", i);
            lib.add(k);
        }
        // The destructor writes the list back.
    };
    bigKernels();
    const std::vector<uint8_t> fresh = slurp(kernels);
    ASSERT_GT(fresh.size(), 20u * 255 * 255 * 8);
    // The new list is the old one's kernel and the twenty added to it.
    spill("kernels.dat", old);
    expectOldOrNew(kernels, old, fresh, bigKernels);

    const std::string palettes = tempPath("palettes.dat");
    const auto addPalettes = [&](int count) {
        PMHANDLE pm = PMCreate(palettes.c_str());
        for (int i = 0; i < count; ++i) {
            auto* pal = static_cast<QDPALETTE*>(std::calloc(1, sizeof(QDPALETTE)));
            pal->colors = static_cast<uint32_t*>(std::calloc(256, 4));
            std::snprintf(pal->name, sizeof pal->name, "p%d", i);
            PMAddPal(pm, pal);
        }
        PMDestroy(pm);
    };
    addPalettes(1);
    const std::vector<uint8_t> oldPalettes = slurp(palettes);
    addPalettes(8000);
    const std::vector<uint8_t> freshPalettes = slurp(palettes);
    ASSERT_GT(freshPalettes.size(), 8000u * 1024);
    spill("palettes.dat", oldPalettes);
    expectOldOrNew(palettes, oldPalettes, freshPalettes, [&] { addPalettes(8000); });
}

TEST(AtomicSave, FullDiskReportsFailureAndKeepsOldFile) {
    const ImagePtr before = largeImage(1), after = largeImage(2);
    for (const char* name : {"full.qdw", "full.bmp", "full.raw", "full.npy"}) {
        const std::string path = tempPath(name);
        ASSERT_TRUE(qd::saveDocumentFile(before.get(), path, {}));
        const std::vector<uint8_t> old = slurp(path);
        EXPECT_FALSE(withFileSizeLimit([&] { return qd::saveDocumentFile(after.get(), path, {}); }, 1 << 20))
            << name;
        EXPECT_EQ(slurp(path), old) << name;
        EXPECT_TRUE(leftovers(path).empty()) << name;
    }

    const std::string kernels = tempPath("fullkernels.dat");
    std::vector<double> weights(255 * 255, 1.0);
    {
        qd::CKernelLibrary lib(kernels);
        CONVKERNEL k{};
        std::strcpy(k.name, "old");
        k.N = 3, k.divisor = 9, k.weights = weights.data();
        lib.add(k);
    }
    const std::vector<uint8_t> oldKernels = slurp(kernels);
    EXPECT_FALSE(withFileSizeLimit(
        [&] {
            qd::CKernelLibrary lib(kernels);
            CONVKERNEL k{};
            std::strcpy(k.name, "big");
            k.N = 255, k.divisor = 1, k.weights = weights.data();
            lib.add(k);
            return lib.save();
        },
        64 << 10));
    EXPECT_EQ(slurp(kernels), oldKernels);
    EXPECT_TRUE(leftovers(kernels).empty());
}

TEST(AtomicSave, KeepsPermissionsAndReplacesFileBehindLink) {
    const std::string path = tempPath("private.raw");
    const ImagePtr im = largeImage(3);
    ASSERT_TRUE(qd::saveDocumentFile(im.get(), path, {}));
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(qd::saveDocumentFile(im.get(), path, {}));
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // The palette list is written the same way.
    const std::string palettes = tempPath("private-palettes.dat");
    for (int pass = 0; pass < 2; ++pass) {
        PMHANDLE pm = PMCreate(palettes.c_str());
        auto* pal = static_cast<QDPALETTE*>(std::calloc(1, sizeof(QDPALETTE)));
        pal->colors = static_cast<uint32_t*>(std::calloc(256, 4));
        std::snprintf(pal->name, sizeof pal->name, "p%d", pass);
        PMAddPal(pm, pal);
        PMDestroy(pm);
        if (pass == 0) ASSERT_EQ(::chmod(palettes.c_str(), 0600), 0);
    }
    ASSERT_EQ(::stat(palettes.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(leftovers(palettes).empty());

    const std::string link = tempPath("link.raw");
    fs::create_symlink(path, link);
    ASSERT_TRUE(qd::writeFileAtomically(link, "abc", 3));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(path), (std::vector<uint8_t>{'a', 'b', 'c'}));
}

TEST(AtomicSave, FailedWriterLeavesNothingBehind) {
    const std::string path = spill("failing.tif", {1, 2, 3});
    std::string given;
    qd::SaveHooks hooks;
    // The filter writes half a file and fails; it sees the extension.
    hooks.fileFilters = [&](IMHANDLE, const std::string& p, const std::string& ext) {
        given = p;
        spill(fs::path(p).filename().string(), {9, 9});
        return ext != ".tif";
    };
    const ImagePtr im = largeImage(0);
    EXPECT_FALSE(qd::saveDocumentFile(im.get(), path, hooks));
    EXPECT_EQ(fs::path(given).extension(), ".tif");
    EXPECT_NE(given, path);
    EXPECT_EQ(slurp(path), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(leftovers(path).empty());
    // A folder that cannot be written to refuses the save at once.
    EXPECT_FALSE(qd::writeFileAtomically(tempPath("no-such-folder/file.dat"), "x", 1));
}

} // namespace
