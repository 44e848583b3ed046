#pragma once

// A folder of its own standing for the editor's working directory, with a
// vehicle folder "addon" that a settings file names once writeSettings runs.

#include "app/EditorForm.h"
#include "files/CarFile.h"
#include "files/TextEncoding.h"

#include "FakeServices.h"
#include "Testkit.h"

namespace rivetbay::testkit {

// A design whose eight sides all differ, with points in the pool.
inline CarConfig spreadCar()
{
    // front, rear, left, right
    return {.model = 1, .freePoints = 10, .armor = {41, 40, 39, 38}, .chassis = {31, 30, 29, 28}};
}

// The id of the editor's control of that name.
inline int idOf(std::string_view name)
{
    for (const FormControl& c : EditorForm::controls())
        if (c.name == name) return c.id;
    ADD_FAILURE() << "no control " << name;
    return 0;
}

struct StartFolder {
    StartFolder() { std::filesystem::create_directory(dir_ / "addon"); }

    void writeSettings()
    {
        std::ofstream(dir_ / "Rivetbay.ini", std::ios::binary)
            << "[Paths]\r\nVCF_Path=" << utf8FromPath(dir_ / "addon")
            << "\r\nRBC_Path=" << utf8FromPath(dir_.path()) << "\r\n";
    }
    // A car file of `config` in the folder.
    std::filesystem::path saveCar(const std::string& file, const CarConfig& config)
    {
        EXPECT_TRUE(saveCarFile(dir_ / file, config));
        return dir_ / file;
    }
    // The next file dialog answers `path`.
    void answer(const std::filesystem::path& path) { services_.answers.push_back(path); }

    TempDir dir_;
    FakeServices services_;
};

} // namespace rivetbay::testkit
