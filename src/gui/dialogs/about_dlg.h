#pragma once

#include <QDialog>

namespace wb::gui {

// The about box: the program's icon, name and version.
class CAboutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace wb::gui
