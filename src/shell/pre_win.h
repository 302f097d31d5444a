#pragma once
// The colours and cached pictures of a graphing window.
//
// TPreWin holds the palette, the fifteen colour roles, the style words and the print state, the
// client size with the tick-count limits derived from it, and two cached images of the client
// area: the background layer (background colour, background bitmap and DrawAll) and the picture
// layer (the background layer plus DrawPicture). Each has a "current" flag; a paint copies the
// picture layer and redraws only what is stale. Marking the background stale marks the picture
// stale too, since the picture is drawn over it.
#include <QColor>
#include <QImage>
#include <QPoint>
#include <functional>

#include "platform/device_context.h"
#include "shell/font_win.h"
#include "shell/palette.h"

namespace quorlin {

enum class ImageLayer { Picture = 0, Background = 1 };

class TPreWin : public TFontWin {
public:
    TPreWin(int kind, QString fileName, QWidget* parent = nullptr);

    // --- colours ---
    Palette& GetPalette() { return palette_; }
    const Palette& GetPalette() const { return palette_; }
    ColorRoles& Roles() { return roles_; }
    const ColorRoles& Roles() const { return roles_; }
    StyleWords& Styles() { return styles_; }
    const StyleWords& Styles() const { return styles_; }
    // The palette colour of index 1..60, else entry 0.
    QColor GetColor(int index) const { return palette_.GetColor(index).ToQColor(); }
    PrintState& Printing() { return printState_; }
    const PrintState& Printing() const { return printState_; }
    // "With back color": printed and exported pictures carry the background colour.
    bool WithBackColor() const { return withBackColor_; }
    void SetWithBackColor(bool on) { withBackColor_ = on; }

    // --- client area ---
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    // The most ticks an axis may carry: one per 8 pixels.
    int MaxTicksX() const { return clientWidth_ / 8; }
    int MaxTicksY() const { return clientHeight_ / 8; }

    // --- cached images ---
    const QImage& Image(ImageLayer layer) const;
    bool IsImageCurrent(ImageLayer layer) const;
    QPoint ImageOrigin() const { return imageOrigin_; }
    // Marks a layer stale (the background layer drags the picture layer with it).
    void InvalidateImage(ImageLayer layer);
    // Makes new images when the client size changed; true when it did (both layers are stale
    // then).
    bool UpdateImageSize();
    // Draws the layer afresh (and the background layer first when it is stale): 0, or what the
    // drawing of the background layer returned (81 when Q stopped it).
    int RenderImage(ImageLayer layer);
    // Copies a layer into a context at the image origin.
    void BlitImage(ImageLayer layer, platform::DeviceContext& dc) const;
    // Draws on a current layer as it stands, which stays current (a watched trajectory is shown
    // step by step this way); false, with nothing drawn, when the layer is stale.
    bool DrawOnImage(ImageLayer layer, const std::function<void(platform::DeviceContext&)>& draw);

    // Fills the context with the background colour (white on paper without "With back color")
    // and draws the background bitmap.
    virtual void PaintBackground(platform::DeviceContext& dc);
    // What the layers show; higher levels fill them. 0, or the interrupt key code.
    virtual int DrawAll(platform::DeviceContext& dc);
    virtual int DrawPicture(platform::DeviceContext& dc);
    // A drawing of the background layer failed with an error (not Q): the error box, shown
    // after the paint.
    virtual void ReportDrawingError(int error);
    // Back to screen colours after a printed or high-resolution drawing.
    virtual void PrepareColors();
    // Back to the screen: screen colours, both layers stale, a repaint queued.
    virtual void PrepareScreenImage();

    void Notify(int code) override;
    void UpdateMenuChecks(bool flag) override;
    void Paint(QPainter& painter, const QRect& dirty) override;
    void SizeChanged(int width, int height) override;

protected:
    // The area PaintBackground fills: the client area here.
    virtual QSize BackgroundSize() const { return QSize(clientWidth_, clientHeight_); }
    // Output pixels per screen pixel of the output being drawn (the background bitmap grows by
    // it): 1 here.
    virtual double ImageScale() const { return 1.0; }

private:
    Palette palette_;
    ColorRoles roles_;
    StyleWords styles_;
    PrintState printState_;
    bool withBackColor_ = true;

    int clientWidth_ = 0;
    int clientHeight_ = 0;
    QPoint imageOrigin_;
    QImage picture_;
    QImage background_;
    bool pictureCurrent_ = false;
    bool backgroundCurrent_ = false;
    bool rendering_ = false;              // RenderImage is drawing the layers
    bool paintedWhileRendering_ = false;  // a paint came meanwhile and showed them unfinished
    bool drawingBackground_ = false;      // the background layer is being drawn: a paint shows
                                          // it as far as it is drawn (a watched family)
};

}  // namespace quorlin
