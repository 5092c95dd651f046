#pragma once

#include "ElidedLabel.h"

namespace lumetra {

// An elided label that keeps both ends of its text and drops the middle ("~/Vid…/Lumetra"): for
// paths, whose start and last folder say the most.
class MiddleElidedLabel : public ElidedLabel {
    Q_OBJECT
public:
    using ElidedLabel::ElidedLabel;

    // What is drawn at the current width.
    QString displayedText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace lumetra
