#pragma once

// A main window with its services replaced where a test must not block or touch the machine:
// message boxes are recorded, file names are chosen in advance, the port list is given.

#include "editor/main_window.h"
#include "editor/message_boxes.h"
#include "editor/report_export.h"
#include "editor/required_control.h"
#include "editor/settings_file_dialogs.h"
#include "link/serial_port.h"
#include "model/settings_record.h"

#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace morvel::window_test {

class RecordingBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString caption, text, detail;
    };
    void Show(QWidget*, const QString& caption, const QString& text, const QString& detail) override
    {
        shown.push_back({caption, text, detail});
    }
    std::vector<Shown> shown;
};

// Answers each dialog with the next prepared name, or a cancel when none is left.
class ScriptedFileDialogs final : public SettingsFileDialogs {
public:
    std::optional<QString> ChooseFileToLoad(QWidget*) override { return Next(toLoad); }
    std::optional<QString> ChooseFileToSave(QWidget*, const QString& proposedName) override
    {
        proposals.push_back(proposedName);
        return Next(toSave);
    }
    std::vector<QString> toLoad, toSave;
    std::vector<QString> proposals;  // what each save dialog proposed

private:
    static std::optional<QString> Next(std::vector<QString>& names)
    {
        if (names.empty())
            return std::nullopt;
        QString name = names.front();
        names.erase(names.begin());
        return name;
    }
};

// Answers the report dialog with a prepared choice, or a cancel.
class ScriptedReportDialog final : public ReportFileDialog {
public:
    std::optional<ReportChoice> ChooseReportFile(QWidget*, const QString& proposedName) override
    {
        proposals.push_back(proposedName);
        return choice;
    }
    std::optional<ReportChoice> choice;
    std::vector<QString> proposals;
};

struct WindowUnderTest {
    // `ports` is what the port list gives; a test may change it while the window is open.
    explicit WindowUnderTest(QStringList portNames = {}, std::chrono::milliseconds timeout = std::chrono::seconds(6))
        : ports(DescribeNames(portNames)),
          window(std::make_unique<TGlownaF>(
              model, WindowServices{boxes, files, port, [this] { return ports; }, timeout}))
    {
    }

    template <typename Control>
    Control& Get(const QString& name) const
    {
        return RequireControl<Control>(*window, name);
    }

    SettingsModel model;
    RecordingBoxes boxes;
    ScriptedFileDialogs files;
    SerialModulePort port;
    PortDescriptions ports;
    std::unique_ptr<TGlownaF> window;
};

} // namespace morvel::window_test
