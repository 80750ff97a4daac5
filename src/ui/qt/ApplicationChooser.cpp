#include "ui/qt/ApplicationChooser.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/Conversions.h"
#include "ui/qt/ImageProvider.h"

namespace wexo::ui::qt {

namespace {
constexpr int kPathRole = Qt::UserRole + 1;
}

ApplicationChooser::ApplicationChooser(std::vector<DesktopEntry> entries, QWidget* parent)
    : QDialog(parent),
      search_(new QLineEdit(this)),
      list_(new QListWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(tr("Choose an Application"));
    auto* column = new QVBoxLayout(this);
    auto* caption = new QLabel(tr("&Search:"), this);
    caption->setBuddy(search_);
    column->addWidget(caption);
    search_->setPlaceholderText(tr("Name of the application"));
    search_->setClearButtonEnabled(true);
    column->addWidget(search_);
    list_->setAccessibleName(tr("Installed applications"));
    list_->setIconSize(QSize(24, 24) * (fontMetrics().height() / 16.0));
    column->addWidget(list_, 1);
    column->addWidget(buttons_);
    for (const DesktopEntry& e : entries) {
        auto* item =
            new QListWidgetItem(ImageProvider::icon(Image::iconForFile(e.path)), qs(e.name), list_);
        item->setData(kPathRole, qs(e.path));
        item->setToolTip(qs(e.path));
    }
    const auto refreshOpen = [this] {
        buttons_->button(QDialogButtonBox::Open)
            ->setEnabled(list_->currentItem() && !list_->currentItem()->isHidden());
    };
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& t) { filter(t); });
    connect(list_, &QListWidget::currentItemChanged, this, refreshOpen);
    connect(list_, &QListWidget::itemActivated, this, [this] { accept(); });
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Arrow keys in the search field move through the list.
    search_->installEventFilter(this);
    setTabOrder(search_, list_);
    refreshOpen();
    const int line = fontMetrics().height();
    resize(line * 24, line * 28);
}

void ApplicationChooser::filter(const QString& text) {
    QListWidgetItem* firstShown = nullptr;
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* item = list_->item(i);
        const bool shown = text.isEmpty() || item->text().contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !firstShown) firstShown = item;
    }
    if (!list_->currentItem() || list_->currentItem()->isHidden())
        list_->setCurrentItem(firstShown);
    buttons_->button(QDialogButtonBox::Open)->setEnabled(firstShown != nullptr);
}

bool ApplicationChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(list_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::string> ApplicationChooser::chosenPath() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item || item->isHidden()) return std::nullopt;
    return ss(item->data(kPathRole).toString());
}

}  // namespace wexo::ui::qt
