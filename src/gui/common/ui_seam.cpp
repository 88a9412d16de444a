#include "common/ui_seam.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>

#include "base/message_box.h"
#include "base/string_table.h"

namespace wb::gui {

QString AppTitle() {
    return QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
}

CUiSeam::State& CUiSeam::S() {
    static State state;
    return state;
}

QMessageBox::StandardButton CUiSeam::Message(QWidget* parent, const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::Icon icon, const QString& caption) {
    const QString title = caption.isEmpty() ? AppTitle() : caption;
    if (S().scripted) {
        S().records.push_back(
            {Kind::Message, text, title, static_cast<int>(buttons), static_cast<int>(icon)});
        if (!S().answers.empty()) {
            auto answer = S().answers.front();
            S().answers.pop_front();
            return answer;
        }
        // What Escape would give.
        if (buttons & QMessageBox::Cancel) return QMessageBox::Cancel;
        if (buttons & QMessageBox::No) return QMessageBox::No;
        return QMessageBox::Ok;
    }
    QMessageBox box(icon, title, text, buttons, parent ? parent : QApplication::activeWindow());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QStringList CUiSeam::GetOpenFileNames(QWidget* parent, const QString& caption,
                                      const QString& filter) {
    if (S().scripted) {
        S().records.push_back({Kind::OpenFile, filter, caption});
        if (S().files.empty()) return {};
        QStringList names = S().files.front();
        S().files.pop_front();
        return names;
    }
    return QFileDialog::getOpenFileNames(parent, caption, QString(), filter);
}

QString CUiSeam::GetSaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter, const QString& defaultSuffix) {
    if (S().scripted) {
        S().records.push_back({Kind::SaveFile, filter, caption});
        if (S().files.empty()) return {};
        QStringList names = S().files.front();
        S().files.pop_front();
        return names.value(0);
    }
    QFileDialog dlg(parent, caption, suggested, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    dlg.selectFile(suggested);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().front();
}

int CUiSeam::Exec(QDialog& dialog) {
    if (S().scripted) {
        S().records.push_back(
            {Kind::Dialog, dialog.windowTitle(), dialog.metaObject()->className()});
        if (S().dialogResults.empty()) return QDialog::Rejected;
        int r = S().dialogResults.front();
        S().dialogResults.pop_front();
        return r;
    }
    return dialog.exec();
}

void CUiSeam::InstallCoreMessageHandler() {
    SetMessageHandler([](const MessageRequest& req) {
        QMessageBox::StandardButtons buttons =
            req.buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        switch (req.icon) {
            case MsgIcon::None:
                icon = QMessageBox::NoIcon;
                break;
            case MsgIcon::Exclamation:
                icon = QMessageBox::Warning;
                break;
            case MsgIcon::Information:
                icon = QMessageBox::Information;
                break;
            case MsgIcon::Question:
                icon = QMessageBox::Question;
                break;
            case MsgIcon::Stop:
                icon = QMessageBox::Critical;
                break;
        }
        auto answer = Message(nullptr, QString::fromStdString(req.text), buttons, icon,
                              QString::fromStdString(req.caption));
        if (answer == QMessageBox::Yes) return MsgAnswer::Yes;
        if (answer == QMessageBox::No) return MsgAnswer::No;
        return MsgAnswer::Ok;
    });
}

void CUiSeam::SetScripted(bool scripted) { S().scripted = scripted; }

bool CUiSeam::IsScripted() { return S().scripted; }

void CUiSeam::QueueAnswer(QMessageBox::StandardButton answer) { S().answers.push_back(answer); }

void CUiSeam::QueueFileNames(const QStringList& names) { S().files.push_back(names); }

void CUiSeam::QueueDialogResult(int result) { S().dialogResults.push_back(result); }

const std::vector<CUiSeam::Record>& CUiSeam::Records() { return S().records; }

void CUiSeam::Reset() {
    bool scripted = S().scripted;
    S() = State{};
    S().scripted = scripted;
}

}  // namespace wb::gui
