#pragma once

#include "platform/DialogService.h"
#include "platform/FileSystem.h"
#include "platform/Pictures.h"
#include "platform/SettingsStore.h"

#include <QString>

#include <functional>
#include <optional>

namespace editor {

// The vehicle view chosen in the new-layout dialog.
struct NewLayoutChoice {
    QString vehicleFile;
    bool mirrorLeftRight = false;
    bool mirrorTopBottom = false;
};

// What the editor asks of the windows around it.
struct EditorHooks {
    // Shows the new-layout dialog modally; nothing when it was cancelled or left no vehicle.
    std::function<std::optional<NewLayoutChoice>()> chooseVehicle;
    // Releases the accessory-library toggle and destroys the browser window.
    std::function<void()> closeAccessoryBrowser;
    // Lets queued window events run (between objects of a redraw, ...).
    std::function<void()> processEvents;
};

struct EditorServices {
    platform::DialogService& dialogs;
    platform::FileSystem& files;
    platform::SettingsStore& store;
    platform::PictureCache& pictures;
};

} // namespace editor
