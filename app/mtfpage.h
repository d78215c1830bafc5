#pragma once

#include <QWidget>

namespace lumi {

// The "MTF" tab: the plot surface PictureMTF for the modulation transfer
// function, drawn by the MTF command.
class MtfPage : public QWidget {
    Q_OBJECT
public:
    explicit MtfPage(QWidget* parent = nullptr);

    QWidget* plot() const { return pictureMtf_; }

private:
    QWidget* pictureMtf_;
};

} // namespace lumi
