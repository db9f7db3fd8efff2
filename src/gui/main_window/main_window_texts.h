#pragma once

#include <QColor>
#include <QString>

// Texts the main window writes itself, beside the lists and model profiles it shares with
// q6config-cli (core/settings/window_content).
namespace Q6 {

// The caption of a disabled line-feed count: the desktop's application-workspace grey.
inline const QColor kDisabledCaptionColour(0xAB, 0xAB, 0xAB);
inline const QColor kEnabledCaptionColour(0, 0, 0);

// The window's pictures, in its resources.
inline constexpr char kIconPicture[] = ":/q6config.png";
inline constexpr char kLogoPicture[] = ":/logo.png";
inline constexpr char kQLX600Picture[] = ":/qlx600.png";
inline constexpr char kQLX500Picture[] = ":/qlx500.png";

// Written when the window loads.
QString titleText();        // labTitle
QString windowTitleText();  // the window title
QString topSearchInfoText();

// The help texts of the ESC/POS font size and spacing lists, which name the firmware the model
// needs; empty for a position that names no model.
QString epFontSizeText(int modelPosition);
QString epSpacingText(int modelPosition);

// The stored model is remembered by its entry text; only the exact QLX600 text brings that model
// back, anything else (nothing stored, other case, unknown text) gives the QLX500.
int modelPositionForStoredText(const QString& stored);
inline const QString kStoredModelDefault = QStringLiteral("QLX500");

// The title of the advice shown when the QLX500's "Optimum Density" speed is chosen.
QString speedAdviceTitle();

}  // namespace Q6
