#pragma once

// The editor in a window of plain values, started in a folder of its own.

#include "app/Editor.h"
#include "app/EditorForm.h"
#include "files/CarFile.h"

#include "FakeServices.h"
#include "FakeView.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace rivetbay {

namespace Form = EditorForm;
using testkit::FakeServices;
using testkit::FakeView;
using testkit::TempDir;

inline int idOf(std::string_view name)
{
    for (const FormControl& c : Form::controls())
        if (c.name == name) return c.id;
    ADD_FAILURE() << "no control " << name;
    return 0;
}

// Each test has a folder of its own standing for the working directory, with
// a settings file there that names its vehicle folder.
class EditorTest : public ::testing::Test {
public:
    EditorTest() { std::filesystem::create_directory(dir_ / "addon"); }

    void writeSettings()
    {
        std::ofstream(dir_ / "Rivetbay.ini", std::ios::binary)
            << "[Paths]\r\nVCF_Path=" << (dir_ / "addon").string()
            << "\r\nRBC_Path=" << dir_.path().string() << "\r\n";
    }

    Editor& start(const std::filesystem::path& commandLine = {}, bool firstStart = false)
    {
        if (!firstStart) writeSettings();
        view_ = std::make_unique<FakeView>();
        editor_ = std::make_unique<Editor>(*view_, services_);
        view_->editor = editor_.get();
        editor_->start({dir_.path(), commandLine, "Rivetbay"});
        return *editor_;
    }

    std::filesystem::path saveCar(const std::string& file, const CarConfig& config)
    {
        EXPECT_TRUE(saveCarFile(dir_ / file, config));
        return dir_ / file;
    }
    void answer(const std::filesystem::path& path) { services_.answers.push_back(path); }
    int number(const char* name) { return view_->number(idOf(name)); }
    void choose(const char* name, int index) { view_->choose(idOf(name), index); }
    void click(int id) { editor_->clicked(id); }
    const std::string& lastMessage()
    {
        static const std::string none;
        return services_.messages.empty() ? none : services_.messages.back().text;
    }

    TempDir dir_;
    FakeServices services_;
    std::unique_ptr<FakeView> view_;
    std::unique_ptr<Editor> editor_;
};

} // namespace rivetbay
