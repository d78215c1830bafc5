#include "app/imagetoolpanel.h"

#include "common/numbertext.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace lumi {
namespace {

QLabel* label(const char* text, QWidget* parent) {
    return new QLabel(QString::fromLatin1(text), parent);
}

QPushButton* makeButton(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

QSlider* ImageToolPanel::makeSlider(const char* name, int min, int max, int value, int largeStep) {
    auto* s = new QSlider(Qt::Horizontal, this);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(min, max);
    s->setValue(value);
    s->setSingleStep(1);
    s->setPageStep(largeStep);
    s->setTickInterval(10);
    s->setTickPosition(QSlider::TicksBelow);
    s->setMinimumWidth(260);
    return s;
}

QWidget* ImageToolPanel::makeRow(QWidget* a, QWidget* b, QWidget* c) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : {a, b, c}) {
        if (w != nullptr) {
            layout->addWidget(w, qobject_cast<QSlider*>(w) != nullptr ? 1 : 0);
        }
    }
    return row;
}

ImageToolPanel::ImageToolPanel(QWidget* parent) : QDialog(parent) {
    setObjectName("frmProcessing");
    brightness_ = makeSlider("brightnessSlider", -100, 100, 0, 10);
    contrast_ = makeSlider("contrastSlider", 0, 300, 100, 25);
    binary_ = makeSlider("binarySlider", 0, 255, 127, 5);
    red_ = makeSlider("redSlider", -100, 100, 0, 10);
    green_ = makeSlider("greenSlider", -100, 100, 0, 10);
    blue_ = makeSlider("blueSlider", -100, 100, 0, 10);
    saturation_ = makeSlider("saturationSlider", -100, 100, 0, 10);
    angle_ = makeSlider("angleSlider", 0, 360, 0, 1);
    scaleText_ = new QLineEdit(QStringLiteral("100"), this);
    scaleText_->setObjectName("scaleText");
    scaleText_->setMaximumWidth(80);
    grey_ = makeButton("greyScaleButton", "GREY-SCALE", this);
    invert_ = makeButton("invertButton", "INVERT  COLOR", this);
    flipH_ = makeButton("flipHorizontalButton", "FLIP - Horizontal", this);
    flipV_ = makeButton("flipVerticalButton", "FLIP - Vertical", this);
    scale_ = makeButton("scaleButton", "SCALE", this);
    apply_ = makeButton("applyButton", "APPLY", this);

    brightnessRow_ = makeRow(label("Darker", this), brightness_, label(" Brighter", this));
    contrastRow_ = makeRow(label("Contrast", this), contrast_);
    binaryRow_ = makeRow(label("Binary", this), binary_);
    balanceRows_ = new QWidget(this);
    auto* balance = new QVBoxLayout(balanceRows_);
    balance->setContentsMargins(0, 0, 0, 0);
    for (const auto& [caption, slider] :
         {std::pair{"Red", red_}, {"Green", green_}, {"Blue", blue_}}) {
        QLabel* name = label(caption, this);
        name->setMinimumWidth(50); // the three sliders line up
        balance->addWidget(makeRow(name, slider));
    }
    saturationRow_ = makeRow(label("Saturation", this), saturation_);
    scaleRow_ = makeRow(scaleText_, label("%", this), scale_);
    angleRow_ = makeRow(label("ANGLE", this), angle_);

    const auto frame = [this](const char* title, const char* const captions[3],
                              QRadioButton* options[3], QPushButton* perform) {
        auto* box = new QGroupBox(QString::fromLatin1(title), this);
        auto* layout = new QVBoxLayout(box);
        for (int i = 0; i < 3; ++i) {
            options[i] = new QRadioButton(QString::fromLatin1(captions[i]), box);
            layout->addWidget(options[i]);
        }
        options[0]->setChecked(true);
        layout->addWidget(perform);
        return box;
    };
    static const char* const kLow[3] = {"3x3 Uniform", "3x3 Peaked", "3x3 Strongly Peaked"};
    static const char* const kHigh[3] = {"3x3  Very Weak", "3x3  Weak", "3x3  Strong"};
    lowPass_ = makeButton("lowPassButton", "Perform  Low-Pass", this);
    highPass_ = makeButton("highPassButton", "Perform  High-Pass", this);
    lowPassFrame_ = frame("Low-Pass Filter", kLow, lowOptions_, lowPass_);
    highPassFrame_ = frame("High-Pass Filter", kHigh, highOptions_, highPass_);

    auto* menu = new QMenuBar(this);
    undo_ = menu->addAction(QStringLiteral("&Undo"));
    undo_->setObjectName("mnuUndo");
    exit_ = menu->addAction(QStringLiteral("&Exit"));
    exit_->setObjectName("mnuExit");

    auto* column = new QVBoxLayout(this);
    column->setMenuBar(menu);
    for (QWidget* w : std::initializer_list<QWidget*>{
             brightnessRow_, contrastRow_, binaryRow_, balanceRows_, saturationRow_, grey_, invert_,
             flipH_, flipV_, scaleRow_, angleRow_, lowPassFrame_, highPassFrame_}) {
        column->addWidget(w);
    }
    column->addStretch(1);
    column->addWidget(apply_);

    using Kind = ImageOperation::Kind;
    connect(brightness_, &QSlider::valueChanged, this,
            [this](int v) { request(Kind::Brightness, v); });
    connect(contrast_, &QSlider::valueChanged, this, [this](int v) { request(Kind::Contrast, v); });
    connect(binary_, &QSlider::valueChanged, this, [this](int v) { request(Kind::Binary, v); });
    connect(saturation_, &QSlider::valueChanged, this,
            [this](int v) { request(Kind::Saturation, v); });
    connect(angle_, &QSlider::valueChanged, this, [this](int v) { request(Kind::Rotate, v); });
    for (QSlider* s : {red_, green_, blue_}) {
        connect(s, &QSlider::valueChanged, this, [this] {
            ImageOperation op;
            op.kind = Kind::ColorBalance;
            op.red = red_->value();
            op.green = green_->value();
            op.blue = blue_->value();
            emit previewRequested(op);
        });
    }
    connect(grey_, &QPushButton::clicked, this, [this] { request(Kind::GreyScale); });
    connect(invert_, &QPushButton::clicked, this, [this] { request(Kind::Invert); });
    connect(flipH_, &QPushButton::clicked, this, [this] { request(Kind::FlipHorizontal); });
    connect(flipV_, &QPushButton::clicked, this, [this] { request(Kind::FlipVertical); });
    connect(scale_, &QPushButton::clicked, this, [this] {
        ImageOperation op;
        op.kind = Kind::Rescale;
        op.scalePercent = parseLenient(scaleText_->text().toStdString());
        emit previewRequested(op);
    });
    connect(lowPass_, &QPushButton::clicked, this,
            [this] { emit previewRequested(filterOperation(false)); });
    connect(highPass_, &QPushButton::clicked, this,
            [this] { emit previewRequested(filterOperation(true)); });
    connect(apply_, &QPushButton::clicked, this, [this] {
        emit applyRequested();
        close();
    });
    connect(undo_, &QAction::triggered, this, &ImageToolPanel::undoRequested);
    connect(exit_, &QAction::triggered, this, &QDialog::close);
}

void ImageToolPanel::request(ImageOperation::Kind kind, int amount) {
    ImageOperation op;
    op.kind = kind;
    op.amount = amount;
    emit previewRequested(op);
}

ImageOperation ImageToolPanel::filterOperation(bool highPass) const {
    ImageOperation op;
    op.kind = ImageOperation::Kind::Filter;
    static constexpr FilterKernel kLow[3] = {FilterKernel::Uniform, FilterKernel::Peaked,
                                             FilterKernel::StronglyPeaked};
    static constexpr FilterKernel kHigh[3] = {FilterKernel::VeryWeak, FilterKernel::Weak,
                                              FilterKernel::Strong};
    for (std::size_t i = 0; i < 3; ++i) {
        if ((highPass ? highOptions_ : lowOptions_)[i]->isChecked()) {
            op.kernel = (highPass ? kHigh : kLow)[i];
        }
    }
    return op;
}

QPushButton* ImageToolPanel::button(Tool tool) const {
    switch (tool) {
    case Tool::GreyScale: return grey_;
    case Tool::Invert: return invert_;
    case Tool::FlipHorizontal: return flipH_;
    case Tool::FlipVertical: return flipV_;
    case Tool::Rescale: return scale_;
    case Tool::LowPass: return lowPass_;
    case Tool::HighPass: return highPass_;
    default: return nullptr;
    }
}

QRadioButton* ImageToolPanel::lowPassOption(int n) const {
    return lowOptions_[static_cast<std::size_t>(std::clamp(n, 1, 3) - 1)];
}

QRadioButton* ImageToolPanel::highPassOption(int n) const {
    return highOptions_[static_cast<std::size_t>(std::clamp(n, 1, 3) - 1)];
}

void ImageToolPanel::showTool(Tool tool) {
    struct Layout {
        const char* caption;
        QWidget* shown;
        int heightTwips;
    };
    const Layout layouts[] = {
        {" Brightness", brightnessRow_, 2000},
        {" Contrast", contrastRow_, 2000},
        {" Binay Contrast", binaryRow_, 2000},
        {" Color Balance", balanceRows_, 2800},
        {" Color Saturation", saturationRow_, 2000},
        {" Grey Scale", grey_, 2000},
        {" Invert Color", invert_, 2000},
        {" Flip Image", flipH_, 2000},
        {" Flip Image", flipV_, 2000},
        {" Scale Image", scaleRow_, 2000},
        {" Rotate Image", angleRow_, 2800},
        {" Low-Pass Filters", lowPassFrame_, 3700},
        {" High-Pass Filters", highPassFrame_, 3700},
    };
    tool_ = tool;
    const Layout& chosen = layouts[static_cast<std::size_t>(tool)];
    for (const Layout& l : layouts) {
        l.shown->setVisible(l.shown == chosen.shown);
    }
    setWindowTitle(QString::fromLatin1(chosen.caption));
    // 15 twips to the pixel at the usual 96 dots per inch.
    setMinimumHeight(chosen.heightTwips / 15);
    adjustSize();
    const bool modeless = tool == Tool::Rescale || tool == Tool::Rotate;
    const Qt::WindowModality modality = modeless ? Qt::NonModal : Qt::WindowModal;
    if (windowModality() != modality) {
        hide(); // a shown window keeps the modality it was shown with
        setWindowModality(modality);
    }
    show();
    raise();
    activateWindow();
}

} // namespace lumi
