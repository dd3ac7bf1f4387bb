// The Assign Colors dialog: twenty object buttons with colour swatches, two
// columns of ten, and OK, Save and Cancel.
#include "window/color_dialog.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/colors.h"
#include "app/help.h"
#include "platform/qt/qt_text.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "window/parameter_dialogs.h"

namespace {

constexpr int ROWS = 10;                // objects per column

QColor to_qcolor(Rgb color) { return QColor(color.red, color.green, color.blue); }

// A rectangle in an entry's colour, outlined in the window-text colour,
// covering the whole widget.
class ColorSwatch : public QWidget {
public:
    ColorSwatch(int index, QWidget* parent) : QWidget(parent), index(index) {
        setFixedSize(fontMetrics().averageCharWidth() * 6, fontMetrics().height());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(to_qcolor(color_of(COLOR_WINDOW_TEXT)));
        painter.setBrush(to_qcolor(color_of(index)));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    int index;
};

// The colour chooser for entry index, opened on its current colour; swatch
// shows the outcome.  Qt keeps the chooser's 16 custom colours for the whole run.
void choose_color(QDialog& dialog, int index, QWidget* swatch) {
    QColorDialog chooser(to_qcolor(color_of(index)), &dialog);
    if (chooser.exec() == QDialog::Accepted) {
        QColor chosen = chooser.selectedColor();
        // Full colour everywhere: the nearest displayable colour is the colour itself.
        assign_color(index, {chosen.red(), chosen.green(), chosen.blue()});
    }
    swatch->update();
}

}  // namespace

void run_assign_colors_dialog(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(to_qstring(load_string(STR_ASSIGN_COLORS_TITLE)));
    add_help_key(dialog, dialog_help_context(DIAL_ASSIGN_COLORS));
    auto* grid = new QGridLayout;
    for (int i = 0; i < COLOR_COUNT; ++i) {
        auto* button = new QPushButton(to_qstring(color_name(i) + "..."), &dialog);
        button->setAutoDefault(false);
        auto* swatch = new ColorSwatch(i, &dialog);
        QObject::connect(button, &QPushButton::clicked, &dialog,
                         [&dialog, i, swatch] { choose_color(dialog, i, swatch); });
        int column = (i / ROWS) * 2;
        grid->addWidget(button, i % ROWS, column);
        grid->addWidget(swatch, i % ROWS, column + 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Save | QDialogButtonBox::Cancel,
                                         &dialog);
    QObject::connect(buttons, &QDialogButtonBox::clicked, &dialog, [&dialog, buttons](QAbstractButton* button) {
        QDialogButtonBox::StandardButton which = buttons->standardButton(button);
        if (which == QDialogButtonBox::Cancel) {
            dialog.reject();
            return;
        }
        accept_color_assignment();
        if (which == QDialogButtonBox::Save) save_colors();
        dialog.accept();
    });
    // Cancel, Esc and closing the dialog all put the colours back.
    QObject::connect(&dialog, &QDialog::rejected, [] { cancel_color_assignment(); });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    begin_color_assignment();
    dialog.exec();
}

void install_qt_window_text_color() {
    set_window_text_color_source([] {
        QColor text = QGuiApplication::palette().color(QPalette::WindowText);
        return Rgb{text.red(), text.green(), text.blue()};
    });
}
