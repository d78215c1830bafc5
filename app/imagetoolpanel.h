#pragma once

#include "imaging/imageoperation.h"

#include <QDialog>

class QAction;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace lumi {

// The tool panel of the image processing window (frmProcessing): the controls
// of every operation, of which showTool() shows those of one. Moving a slider
// or pressing an operation's button asks for a preview of that operation on the
// working image; "APPLY" and "&Undo" are the window's to carry out.
class ImageToolPanel : public QDialog {
    Q_OBJECT
public:
    enum class Tool {
        Brightness,
        Contrast,
        Binary,
        ColorBalance,
        Saturation,
        GreyScale,
        Invert,
        FlipHorizontal,
        FlipVertical,
        Rescale,
        Rotate,
        LowPass,
        HighPass,
    };

    explicit ImageToolPanel(QWidget* parent = nullptr);

    // Shows only the controls of `tool` under its caption; modal (to the window)
    // for every tool but rescale and rotation. Returns at once.
    void showTool(Tool tool);
    Tool tool() const { return tool_; }

    QSlider* brightnessSlider() const { return brightness_; }
    QSlider* contrastSlider() const { return contrast_; }
    QSlider* binarySlider() const { return binary_; }
    QSlider* redSlider() const { return red_; }
    QSlider* greenSlider() const { return green_; }
    QSlider* blueSlider() const { return blue_; }
    QSlider* saturationSlider() const { return saturation_; }
    QSlider* angleSlider() const { return angle_; }
    QLineEdit* scaleText() const { return scaleText_; }
    QPushButton* button(Tool tool) const;      // the operation's button, or nullptr
    QRadioButton* lowPassOption(int n) const;  // 1..3
    QRadioButton* highPassOption(int n) const; // 1..3
    QPushButton* applyButton() const { return apply_; }
    QAction* undoAction() const { return undo_; }
    QAction* exitAction() const { return exit_; }

signals:
    void previewRequested(const lumi::ImageOperation& op);
    void applyRequested();
    void undoRequested();

private:
    QSlider* makeSlider(const char* name, int min, int max, int value, int largeStep);
    QWidget* makeRow(QWidget* a, QWidget* b = nullptr, QWidget* c = nullptr);
    void request(ImageOperation::Kind kind, int amount = 0);
    ImageOperation filterOperation(bool highPass) const;

    Tool tool_ = Tool::Brightness;
    QSlider* brightness_;
    QSlider* contrast_;
    QSlider* binary_;
    QSlider* red_;
    QSlider* green_;
    QSlider* blue_;
    QSlider* saturation_;
    QSlider* angle_;
    QLineEdit* scaleText_;
    QPushButton* grey_;
    QPushButton* invert_;
    QPushButton* flipH_;
    QPushButton* flipV_;
    QPushButton* scale_;
    QPushButton* lowPass_;
    QPushButton* highPass_;
    QRadioButton* lowOptions_[3];
    QRadioButton* highOptions_[3];
    QPushButton* apply_;
    QAction* undo_;
    QAction* exit_;
    // The rows of each tool, hidden until showTool() picks them.
    QWidget* brightnessRow_;
    QWidget* contrastRow_;
    QWidget* binaryRow_;
    QWidget* balanceRows_;
    QWidget* saturationRow_;
    QWidget* scaleRow_;
    QWidget* angleRow_;
    QGroupBox* lowPassFrame_;
    QGroupBox* highPassFrame_;
};

} // namespace lumi
