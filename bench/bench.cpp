// Prints how fast Rivetbay's file-bound work is, against the plainest loop
// that does the same file-system work with the same system calls.
//   rivetbay-bench [--quick]

#include "car/Allocation.h"
#include "car/Recalculate.h"
#include "files/CarFile.h"
#include "files/Export.h"
#include "files/VariantListing.h"
#include "files/VcfWriter.h"

#if defined(RIVETBAY_QT_WINDOW)
#include "ui/EditorWindow.h"
#include "ui/UiServices.h"
#include <QApplication>
#include <QComboBox>
#elif defined(RIVETBAY_WIN32_WINDOW)
#include "app/EditorForm.h"
#include "win32/EditorWindow.h"
#include <commctrl.h>
#endif

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace rivetbay;
using Clock = std::chrono::steady_clock;

namespace {

// The median of `runs` timings, in milliseconds.
double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The floor: scan, open each match, read 15 bytes at 28, close.
std::size_t plainListing(const fs::path& dir)
{
    std::size_t bytes = 0;
#ifdef _WIN32
    WIN32_FIND_DATAW found;
    HANDLE scan = FindFirstFileW((dir / L"vgoon*.vcf").c_str(), &found);
    if (scan == INVALID_HANDLE_VALUE) return 0;
    do {
        HANDLE file = CreateFileW((dir / found.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        char name[15];
        DWORD got = 0;
        OVERLAPPED at{};
        at.Offset = 28;
        if (ReadFile(file, name, sizeof name, &got, &at)) bytes += got;
        CloseHandle(file);
    } while (FindNextFileW(scan, &found));
    FindClose(scan);
#else
    DIR* d = opendir(dir.c_str());
    if (!d) return 0;
    while (dirent* e = readdir(d)) {
        const std::size_t len = std::strlen(e->d_name);
        if (len < 9 || strncasecmp(e->d_name, "vgoon", 5) != 0 ||
            strcasecmp(e->d_name + len - 4, ".vcf") != 0)
            continue;
        const int fd = open((dir / e->d_name).c_str(), O_RDONLY);
        if (fd < 0) continue;
        char name[15];
        const ssize_t got = pread(fd, name, sizeof name, 28);
        bytes += got > 0 ? static_cast<std::size_t>(got) : 0;
        close(fd);
    }
    closedir(d);
#endif
    return bytes;
}

fs::path makeDirectory(int files)
{
    std::random_device rd;
    const fs::path dir = fs::temp_directory_path() / ("rivetbay-bench-" + std::to_string(rd()));
    fs::create_directories(dir);
    CarConfig c;
    c.model = 16;
    for (int i = 0; i < files; ++i) {
        c.name = "Goon " + std::to_string(i);
        (void)VcfWriter(dir / ("vgoon" + std::to_string(i + 4) + ".vcf"), c);
    }
    return dir;
}

void printRow(int files, double action, double floor)
{
    std::printf("| %d | %.3f | %.3f | %.2f |\n", files, action, floor,
                floor > 0 ? action / floor : 0.0);
}

constexpr int fileCounts[] = {0, 100, 1000, 10000};

// A start folder whose settings name `vehicles`.
fs::path startFolderFor(const fs::path& vehicles)
{
    const fs::path start = vehicles / "start";
    fs::create_directories(start);
    std::ofstream(start / "Rivetbay.ini", std::ios::binary)
        << "[Paths]\r\nVCF_Path=" << vehicles.string() << "\r\n";
    return start;
}

#if defined(RIVETBAY_QT_WINDOW) || defined(RIVETBAY_WIN32_WINDOW)
// An engine change in the real window, which lists the vehicle files afresh
// and refills the name list, against the floor in the same run.
template <typename Window> void windowRows(int runs, const char* title)
{
    std::printf("\n| vehicle files | one action in the %s (ms) | floor (ms) | ratio |\n", title);
    std::printf("|---:|---:|---:|---:|\n");
    for (int files : fileCounts) {
        const fs::path dir = makeDirectory(files);
        {
            Window window(startFolderFor(dir));
            window.chooseModel(16);
            std::size_t sink = plainListing(dir);
            int engine = 1;
            const double action = medianMs(runs, [&] {
                engine = engine == 1 ? 2 : 1;
                window.chooseEngine(engine);
            });
            const double floor = medianMs(runs, [&] { sink += plainListing(dir); });
            printRow(files, action, floor);
            if (sink == 42) std::puts("");
        }
        fs::remove_all(dir);
    }
}
#endif

#if defined(RIVETBAY_QT_WINDOW)
struct QtWindow {
    explicit QtWindow(const fs::path& start) : editor(services) { editor.start({start}); }
    void chooseModel(int m) { editor.findChild<QComboBox*>("modelList")->setCurrentIndex(m); }
    void chooseEngine(int e) { editor.findChild<QComboBox*>("engineList")->setCurrentIndex(e); }
    SilentServices services;
    EditorWindow editor;
};
#elif defined(RIVETBAY_WIN32_WINDOW)
struct NativeWindow {
    explicit NativeWindow(const fs::path& start)
        : dialog(GetModuleHandleW(nullptr), services, {start})
    {
        dialog.create(false);
    }
    void choose(int id, int index)
    {
        HWND list = GetDlgItem(dialog.window(), id);
        SendMessageW(list, CB_SETCURSEL, index, 0);
        SendMessageW(dialog.window(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    void chooseModel(int m) { choose(EditorForm::modelList, m); }
    void chooseEngine(int e) { choose(1003, e); }
    SilentServices services;
    win32::EditorWindow dialog;
};
#endif

} // namespace

int main(int argc, char** argv)
{
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    const int runs = quick ? 5 : 31;

    std::printf("| vehicle files | one action (ms) | floor (ms) | ratio |\n");
    std::printf("|---:|---:|---:|---:|\n");
    for (int files : fileCounts) {
        const fs::path dir = makeDirectory(files);
        CarConfig car;
        car.model = 16;
        std::size_t sink = 0;
        // Warm the directory cache the same way for both.
        sink += listVariants(dir, "goon").size() + plainListing(dir);
        const double action = medianMs(runs, [&] {
            changeModel(car);
            sink += recalculateWithListing(car, dir).variantNames.size();
        });
        const double floor = medianMs(runs, [&] { sink += plainListing(dir); });
        printRow(files, action, floor);
        fs::remove_all(dir);
        if (sink == 42) std::puts("");
    }

#if defined(RIVETBAY_QT_WINDOW)
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    windowRows<QtWindow>(runs, "Qt window");
#elif defined(RIVETBAY_WIN32_WINDOW)
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    windowRows<NativeWindow>(runs, "native window");
#endif

    const fs::path dir = makeDirectory(1000);
    CarConfig car;
    car.model = 16;
    car.name = "Bench";
    const fs::path file = dir / "bench.rbc";
    const double save = medianMs(runs, [&] { (void)saveCarFile(file, car); });
    const double load = medianMs(runs, [&] { (void)readCarFile(file, car); });
    unsigned number = 0;
    const double numbering = medianMs(runs, [&] { number += nextExportNumber(dir, 16); });
    fs::remove_all(dir);

    std::printf("\n| operation | time (ms) |\n|---|---:|\n");
    std::printf("| save a car file | %.3f |\n", save);
    std::printf("| load a car file | %.3f |\n", load);
    std::printf("| export numbering, 1,000 files | %.3f |\n", numbering);
#if defined(RIVETBAY_QT_WINDOW)
    const fs::path start = startFolderFor(fs::temp_directory_path() / "rivetbay-bench-start");
    const auto appStart = Clock::now();
    SilentServices services;
    EditorWindow editor(services);
    editor.start({start});
    editor.show();
    QApplication::processEvents();
    const double shown = std::chrono::duration<double, std::milli>(Clock::now() - appStart).count();
    fs::remove_all(start.parent_path());
    std::printf("| start to the first shown window (offscreen, application made) | %.1f |\n",
                shown);
#endif
    return number == 1 ? 1 : 0;
}
