#pragma once

// The editor in a window of plain values, started in a folder of its own.

#include "app/Editor.h"
#include "app/EditorForm.h"

#include "FakeView.h"
#include "StartFolder.h"

#include <memory>

namespace rivetbay {

namespace Form = EditorForm;
using testkit::FakeView;
using testkit::spreadCar;

using testkit::idOf;
using testkit::shown;

struct EditorTest : ::testing::Test, testkit::StartFolder {
    Editor& start(const std::filesystem::path& commandLine = {}, bool firstStart = false)
    {
        if (!firstStart) writeSettings();
        view_ = std::make_unique<FakeView>();
        editor_ = std::make_unique<Editor>(*view_, services_);
        view_->editor = editor_.get();
        editor_->start({dir_.path(), commandLine, "Rivetbay"});
        return *editor_;
    }

    int number(const char* name) { return view_->number(idOf(name)); }
    void choose(const char* name, int index) { view_->choose(idOf(name), index); }
    void click(int id) { editor_->clicked(id); }

    std::unique_ptr<FakeView> view_;
    std::unique_ptr<Editor> editor_;
};

} // namespace rivetbay
