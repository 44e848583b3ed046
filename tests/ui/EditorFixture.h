#pragma once

// Starts the real editor window offscreen in a working directory of its own.

#include "ui/EditorWindow.h"
#include "ui/SpinArrows.h"

#include "FakeServices.h"
#include "TempDir.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace rivetbay {

using testkit::FakeServices;
using testkit::TempDir;

inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each test starts in a working directory of its own, with a settings file
// that names an existing vehicle directory unless the test says otherwise.
class EditorTest : public ::testing::Test {
public:
    EditorTest() { std::filesystem::create_directory(dir_ / "addon"); }

    void writeSettings()
    {
        std::ofstream(dir_ / "Rivetbay.ini", std::ios::binary)
            << "[Paths]\r\nVCF_Path=" << (dir_ / "addon").string() << "\r\nRBC_Path="
            << dir_.path().string() << "\r\n";
    }

    EditorWindow& startEditor(std::string commandLine = "")
    {
        editor_ = std::make_unique<EditorWindow>(std::move(commandLine), services_);
        editor_->start(dir_.path().string()); // the test's folder stands for the working directory
        editor_->show();
        editor_->activateWindow();
        (void)QTest::qWaitForWindowActive(editor_.get());
        return *editor_;
    }

    template <typename T> T* find(const char* name)
    {
        T* widget = editor_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void step(const char* spin, bool up)
    {
        auto* arrows = find<SpinArrows>(spin);
        QTest::mouseClick(up ? arrows->increaseButton() : arrows->decreaseButton(), Qt::LeftButton);
    }

    QString qpath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

    TempDir dir_;
    FakeServices services_;
    std::unique_ptr<EditorWindow> editor_;
};

} // namespace rivetbay
