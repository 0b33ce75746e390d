// The build of a medium from a kit folder: compressed sources written from their plain files
// (and expanding back to them), plain files kept only where a script reads them as they are,
// the programs added where they are missing, a check with errors leaving nothing behind, an
// output folder that is not new refused, and the CD image's volume and command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include "installer/files/lz_expander.h"
#include "installer/files/lz_header.h"
#include "kit/checker/medium_build.h"

namespace fs = std::filesystem;

namespace {
const char kScript[] =
    "[App]\r\nProduceName=\"Pad\"\r\nDefDir=%Program Files%\\Pad\r\nDefPMGroup=\"Pad\",1\r\n"
    "UnInstall=\"Remove Pad\"\r\n\r\n[Disks]\r\n1=\"Pad disk\"\r\n\r\n[SrcDirs]\r\n1=.\r\n\r\n"
    "[DstDirs]\r\n1=.\r\n2=#\r\n\r\n[SetupApps]\r\nMain program=Main,MainKeys,MainFiles\r\n\r\n"
    "[MainKeys]\r\nDefInstall=Y\r\nSpaceNeeded=64\r\n\r\n[MainFiles]\r\n"
    "Pad driver,1-1:PADUSB.SY_,1:PADUSB.SYS,N,Y,0\r\n"
    "Pad program,1-1:PAD.EXE,1:PAD.EXE,N,Y,0\r\n"
    "Read me,1-1:README.TX_,1:README.TXT,N,Y,0\r\n"
    "Read me too,1-1:README.TXT,1:README2.TXT,N,Y,0\r\n"
    "Installer,1-1:Instally.exe,2:Instally.exe,N,N,0\r\n\r\n[End]\r\n";

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Expanded(const std::string& packed) {
    LzExpander expander;
    const unsigned char* in = reinterpret_cast<const unsigned char*>(packed.data());
    if (!expander.Start(in, packed.size())) return "<not compressed>";
    std::string out(expander.ExpandedLength(), '\0');
    size_t taken = 0, given = 0;
    expander.Expand(in + kLzHeaderSize, packed.size() - kLzHeaderSize, &taken,
                    reinterpret_cast<unsigned char*>(&out[0]), out.size(), &given);
    return expander.Finish() == LzExpander::Done ? out.substr(0, given) : "<damaged>";
}

// A kit folder and the programs' folder in a fresh temporary folder; the medium goes to out.
class Kit {
public:
    explicit Kit(const std::string& name) : root_(fs::temp_directory_path() / ("kitcheck_build_" + name)) {
        fs::remove_all(root_);
        for (const char* name : {"SetupExt.WNT", "SetupX64.INF"}) Put(root_ / "kit" / "Driver" / name, kScript);
        Put(root_ / "kit" / "Driver" / "PADUSB.SYS", std::string(5000, 'd') + "driver's end");
        Put(root_ / "kit" / "Driver" / "PAD.EXE", "MZ the pad program");
        Put(root_ / "kit" / "Driver" / "README.TXT", "read me, read me, read me");
        Put(root_ / "programs" / "Instally.exe", "MZ installer");
        Put(root_ / "programs" / "setup.exe", "MZ launcher");
    }
    ~Kit() { fs::remove_all(root_); }
    fs::path Path(const std::string& below) const { return root_ / below; }
    BuildRequest Request() const {
        BuildRequest request;
        request.kit = Path("kit").string();
        request.out = Path("out").string();
        request.programs = Path("programs").string();
        return request;
    }

private:
    fs::path root_;
};
}  // namespace

TEST(MediumBuild, CompressedSourcesComeFromTheirPlainFilesWhichStayOnlyWhereReadAsTheyAre) {
    Kit kit("compress");
    BuildResult result = BuildMedium(kit.Request());
    ASSERT_EQ(result.outcome, BuildDone) << BuildReport(result, kit.Request());
    fs::path driver = kit.Path("out/Driver");
    EXPECT_EQ(Expanded(Bytes(driver / "PADUSB.SY_")), Bytes(kit.Path("kit/Driver/PADUSB.SYS")));
    EXPECT_EQ(Bytes(driver / "PADUSB.SY_")[9], 'S') << "the missing last letter of the name";
    EXPECT_EQ(Expanded(Bytes(driver / "README.TX_")), "read me, read me, read me");
    EXPECT_FALSE(fs::exists(driver / "PADUSB.SYS")) << "only its compressed form is read";
    EXPECT_TRUE(fs::exists(driver / "README.TXT")) << "another entry reads it as it is";
    EXPECT_EQ(Bytes(driver / "PAD.EXE"), "MZ the pad program");
    EXPECT_EQ(Bytes(driver / "Instally.exe"), "MZ installer");
    EXPECT_FALSE(fs::exists(kit.Path("out/setup.exe"))) << "no launcher menu, no launcher";
    EXPECT_FALSE(fs::exists(kit.Path("out.partial")));
    EXPECT_TRUE(fs::exists(kit.Path("kit/Driver/PADUSB.SYS"))) << "the kit folder is left as it was";
}

TEST(MediumBuild, ErrorsOfTheCheckLeaveNoMediumAndAnOutputFolderInUseIsRefused) {
    Kit kit("errors");
    fs::remove(kit.Path("kit/Driver/PAD.EXE"));
    BuildResult result = BuildMedium(kit.Request());
    EXPECT_EQ(result.outcome, BuildCheckErrors);
    EXPECT_NE(BuildReport(result, kit.Request()).find("missing-source-file"), std::string::npos);
    EXPECT_FALSE(fs::exists(kit.Path("out")));
    EXPECT_FALSE(fs::exists(kit.Path("out.partial")));

    Put(kit.Path("kit/Driver/PAD.EXE"), "MZ");
    Put(kit.Path("out/precious.txt"), "keep");
    result = BuildMedium(kit.Request());
    EXPECT_EQ(result.outcome, BuildFailed);
    EXPECT_NE(result.error.find("not empty"), std::string::npos) << result.error;
    EXPECT_EQ(Bytes(kit.Path("out/precious.txt")), "keep");

    fs::remove_all(kit.Path("out"));
    fs::remove(kit.Path("programs/Instally.exe"));
    result = BuildMedium(kit.Request());
    EXPECT_EQ(result.outcome, BuildFailed);
    EXPECT_NE(result.error.find("Instally.exe"), std::string::npos) << result.error;
    EXPECT_FALSE(fs::exists(kit.Path("out")));
}

TEST(MediumBuild, AFileStoredCompressedUnderItsOwnNameIsCompressedOnce) {
    Kit kit("stored");
    BuildRequest request = kit.Request();
    request.storeCompressed = {"Driver\\setupx64.inf"};
    BuildResult result = BuildMedium(request);
    ASSERT_LE(result.outcome, BuildWarnings) << BuildReport(result, request);
    std::string stored = Bytes(kit.Path("out/Driver/SetupX64.INF"));
    EXPECT_EQ(Expanded(stored), kScript);

    // A kit whose file is compressed already keeps it as it is.
    fs::remove_all(kit.Path("out"));
    Put(kit.Path("kit/Driver/SetupX64.INF"), stored);
    result = BuildMedium(request);
    ASSERT_LE(result.outcome, BuildWarnings) << BuildReport(result, request);
    EXPECT_EQ(Bytes(kit.Path("out/Driver/SetupX64.INF")), stored);

    fs::remove_all(kit.Path("out"));
    request.storeCompressed = {"Driver\\NOSUCH.INF"};
    result = BuildMedium(request);
    EXPECT_EQ(result.outcome, BuildFailed);
    EXPECT_NE(result.error.find("NOSUCH.INF"), std::string::npos);
}

TEST(MediumBuild, TheLauncherAndAutorunComeWithTheLabelOfTheKitOrOfTheRequest) {
    Kit kit("launcher");
    Put(kit.Path("kit/setup.inf"), "[ItemsParameter]\r\nItemType=1\r\nBKPicture=back.bmp\r\n[Items]\r\nInstall=Install\r\n"
                                   "[Install]\r\nType=EXECUTEFILE\r\nexe=Driver\\Instally.exe\r\nPictureUp=up.bmp\r\n");
    Put(kit.Path("kit/back.bmp"), "BM");
    Put(kit.Path("kit/up.bmp"), "BM");
    BuildResult result = BuildMedium(kit.Request());
    ASSERT_LE(result.outcome, BuildWarnings) << BuildReport(result, kit.Request());
    EXPECT_EQ(Bytes(kit.Path("out/setup.exe")), "MZ launcher");
    EXPECT_EQ(Bytes(kit.Path("out/autorun.inf")), "[autorun]\r\nopen=setup.exe\r\nlabel=kit\r\n");

    fs::remove_all(kit.Path("out"));
    Put(kit.Path("kit/autorun.inf"), "[autorun]\r\n  open=setup.exe\r\n  LABEL=Pad: \"Tablet\", 2.0 \r\n");
    result = BuildMedium(kit.Request());
    EXPECT_EQ(result.label, "Pad: \"Tablet\", 2.0");
    EXPECT_EQ(Bytes(kit.Path("out/autorun.inf")), Bytes(kit.Path("kit/autorun.inf"))) << "the kit's own is kept";

    fs::remove_all(kit.Path("out"));
    BuildRequest request = kit.Request();
    request.label = "Given";
    EXPECT_EQ(BuildMedium(request).label, "Given");
}

TEST(MediumBuild, RequestsAndTheImagesVolumeAndCommand) {
    BuildRequest request;
    std::string error;
    EXPECT_TRUE(ReadBuildRequest({"kit", "out/", "--iso", "a b.iso", "--store-compressed", "X", "--store-compressed", "Y"},
                                 "here", request, error));
    EXPECT_EQ(request.out, "out");
    EXPECT_EQ(request.programs, "here");
    EXPECT_EQ(request.iso, "a b.iso");
    EXPECT_EQ(request.storeCompressed, (std::vector<std::string>{"X", "Y"}));
    EXPECT_FALSE(ReadBuildRequest({"kit", "out", "--iso"}, "", request, error));
    EXPECT_EQ(error, "--iso needs a value");
    EXPECT_FALSE(ReadBuildRequest({"kit", "out", "--bogus", "x"}, "", request, error));
    EXPECT_FALSE(ReadBuildRequest({"kit"}, "", request, error));

    EXPECT_EQ(VolumeId("Zorvant Pen Tablet 5.2"), "ZORVANT_PEN_TABLET_5_2");
    EXPECT_EQ(VolumeId(std::string(40, 'a')).size(), 32u);
    EXPECT_EQ(VolumeId("\xe3\x83\x9a\xe3\x83\xb3"), "______");
    EXPECT_EQ(VolumeId(""), "CDROM");
    EXPECT_EQ(AutorunLabel("[autorun]\r\nopen=setup.exe\r\n"), "");
    std::vector<std::string> command = IsoCommand("xorriso", "disc dir", "out.iso", "PAD");
    EXPECT_EQ(command, (std::vector<std::string>{"xorriso", "-as", "mkisofs", "-quiet", "-J", "-joliet-long", "-r", "-V",
                                                 "PAD", "-o", "out.iso", "disc dir"}));
}

TEST(MediumBuild, TheImageIsAnIso9660DiscWithTheKitsVolume) {
    Kit kit("iso");
    BuildRequest request = kit.Request();
    request.iso = kit.Path("disc.iso").string();
    request.label = "Pad disc";
    BuildResult result = BuildMedium(request);
    if (result.outcome == BuildFailed && result.error.find("no image tool") != std::string::npos)
        GTEST_SKIP() << result.error;
    ASSERT_LE(result.outcome, BuildWarnings) << BuildReport(result, request);
    std::string image = Bytes(request.iso);
    ASSERT_GT(image.size(), 0x8048u);
    EXPECT_EQ(image.substr(0x8001, 5), "CD001");
    EXPECT_EQ(image.substr(0x8028, 8), "PAD_DISC");
    EXPECT_NE(image.find("PADUSB.SY_"), std::string::npos);
}
