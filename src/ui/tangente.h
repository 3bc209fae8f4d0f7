#pragma once
// The tangent dialog: adds to the figure the tangent to a function's graph.

#include <QDialog>

namespace trazel {

class TForm4 : public QDialog {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);
};

} // namespace trazel
