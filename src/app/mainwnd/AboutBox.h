#pragma once

#include <QDialog>

namespace bramble {

// "About Bramble": the program icon, the version text and an OK button.
class AboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace bramble
