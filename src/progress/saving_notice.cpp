#include "progress/saving_notice.h"

namespace pathwick {

void ShowSavingNotice(const Progress& progress, ScreenLayer& screen, int foreground) {
    if (!progress.remembers() || progress.saving()) return;
    const int pageForeground = screen.foreground();
    screen.setColor(foreground, screen.background());
    screen.locate(kSavingNoticeRow, kSavingNoticeColumn);
    screen.printText(kSavingNotice);
    screen.setColor(pageForeground, screen.background());
}

}  // namespace pathwick
