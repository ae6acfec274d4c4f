#include "frontend/terrain_progress_box.h"

#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/widgets/level_bar.h"
#include "framework/widgets/progress_dialog.h"

#include <memory>

namespace q71 {
namespace {

class TerrainProgress final : public TerrainProgressBox {
public:
    void open(const char* message, const char* buttonText, bool cancellable) override {
        close();
        dialog_ = std::make_unique<ProgressDialog>(appMainWindow(), cancellable);
        dialog_->open(message, buttonText);
        // The busy cursor holds the mouse for the box, so that nothing behind it can be clicked.
        appCursorMode(dialog_->dialogWindow() != WindowHandle{} ? dialog_->dialogWindow() : appMainWindow(),
                      2);
    }

    void setLevel(long done, long total) override {
        if (dialog_ && dialog_->levelBar() && total > 0)
            dialog_->levelBar()->setLevel(static_cast<double>(done) / static_cast<double>(total));
    }

    bool pumpMessages() override {
        appPumpMessages();
        return dialog_ && dialog_->cancelled();
    }

    void close() override {
        if (!dialog_)
            return;
        appCursorMode(appMainWindow(), 3);
        dialog_.reset();
    }

private:
    std::unique_ptr<ProgressDialog> dialog_;
};

} // namespace

TerrainProgressBox& frontEndTerrainProgressBox() {
    static TerrainProgress box;
    return box;
}

} // namespace q71
