#pragma once
#include "classlib/Dialog.h"
#include "classlib/MemoryCanvas.h"

#include <string>
#include <vector>

// A borderless modal dialog that needs no dialog resource: it shows a picture
// with text items and links drawn over it, painted through a back buffer.
// The picture and everything sized in pixels grow with the system's DPI.
// Moving over a link shows it in its hover colour with a hand cursor; a click
// on it opens its address with the shell, a click anywhere else closes the
// dialog, as do Esc and Enter. Subclasses supply the picture and the overlay
// through the hooks.
class ImageDialog : public CDialog {
  public:
    ImageDialog();

    // Runs the dialog modally; false when its window could not be made.
    bool Show(HWND parent);
    // Ends the dialog with the result -1.
    void Close();
    // Draws one text item with its top-left corner at rect's and a width
    // limit when rect has one; rect becomes the text's extent. Without text
    // the link address is the text. A link is recorded for the mouse and
    // drawn in hoverColor while the cursor is over it. A null font means the
    // system's GUI font (underlined for a link).
    void DrawTextItem(HDC dc, HFONT font, const char* text, RECT& rect, COLORREF color,
                      const char* link, COLORREF linkColor, COLORREF hoverColor);

  protected:
    // Called first at initialisation; false closes the dialog.
    virtual bool Prepare() { return true; }
    // Called when the window goes away.
    virtual void Cleanup() {}
    // The background picture; false means none (a white background).
    virtual bool LoadImage(HBITMAP& bitmap);
    // Draws the texts over the picture into the back buffer.
    virtual void DrawOverlay(HDC) {}

    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Pixels at 96 DPI as pixels at the system's DPI (known from initialisation on).
    int Scaled(int pixels) const { return MulDiv(pixels, dpi, 96); }

    int width = 0;   // pixels at 96 DPI; 0: the picture's width
    int height = 0;  // pixels at 96 DPI; 0: the picture's height

  private:
    bool MakeCanvases(HDC windowDc);
    void Paint();
    void TrackCursor();
    void OnClick();
    void OnDestroy();
    POINT CursorInClient() const;

    struct alignas(4) InMemoryTemplate {
        DLGTEMPLATE dialog;
        WORD menu;
        WORD windowClass;
        WORD title;
    };
    InMemoryTemplate dialogTemplate;
    bool shown = false;
    int dpi = 96;
    MemoryCanvas image;
    bool hasImage = false;
    MemoryCanvas backBuffer;
    std::string hoveredLink;
    std::vector<std::string> linkTexts;
    std::vector<RECT> linkRects;
};
