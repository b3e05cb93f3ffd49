#include "core/display_error_text.h"

#include <iterator>

#include "core/words.h"

namespace rara3 {
namespace {

struct ErrorText {
  int32_t code;
  const char* text;
};

constexpr int32_t kDirectDraw = kDirectDrawBase;

// The English texts; the Japanese ones in po/ja.po stand exactly as the game
// has always shown them, half-width and full-width punctuation included.
constexpr ErrorText kDisplayErrorText[] = {
    {kDirectDraw + 5, N_("The object has already been initialised.")},
    {kDirectDraw + 10, N_("A surface cannot be attached to the requested surface.")},
    {kDirectDraw + 20, N_("A surface cannot be detached from the requested surface.")},
    {kDirectDraw + 40, N_("Not supported at present.")},
    {kDirectDraw + 55, N_("An exception occurred while the requested operation was carried out.")},
    {kDirectDraw + 90, N_("The height of the given rectangle is not a multiple of the required alignment.")},
    {kDirectDraw + 95, N_("The request to create a primary surface does not match the existing primary surface.")},
    {kDirectDraw + 100, N_("One or more of the capability bits passed to the callback function are invalid.")},
    {kDirectDraw + 110, N_("DirectDraw does not support the given clipping list.")},
    {kDirectDraw + 120, N_("DirectDraw does not support the requested mode.")},
    {kDirectDraw + 130, N_("DirectDraw received an invalid pointer to a DirectDraw object.")},
    {kDirectDraw + 145, N_("The given pixel format is invalid.")},
    {kDirectDraw + 150, N_("The given rectangle is invalid.")},
    {kDirectDraw + 160, N_("One or more surfaces are locked, and the requested operation failed.")},
    {kDirectDraw + 170, N_("There is no 3D hardware or emulation.")},
    {kDirectDraw + 180, N_("The requested operation failed because alpha acceleration hardware is missing or was not available.")},
    {kDirectDraw + 205, N_("No clipping list is available.")},
    {kDirectDraw + 210, N_("The operation cannot be carried out because colour conversion hardware is missing or not available.")},
    {kDirectDraw + 212, N_("A create function was called without calling the SetCooperativeLevel method first.")},
    {kDirectDraw + 215, N_("The surface has no colour key at present.")},
    {kDirectDraw + 220, N_("The operation cannot be carried out because there is no hardware support for the destination colour key.")},
    {kDirectDraw + 222, N_("The current display driver does not support DirectDraw.")},
    {kDirectDraw + 225, N_("Exclusive mode was required of the application, but the application does not have exclusive mode.")},
    {kDirectDraw + 230, N_("A visible surface cannot be flipped.")},
    {kDirectDraw + 240, N_("There is no GDI.")},
    {kDirectDraw + 250, N_("The operation cannot be carried out because mirroring hardware is missing or not available.")},
    {kDirectDraw + 255, N_("The requested item was not found.")},
    {kDirectDraw + 260, N_("The operation cannot be carried out because overlay hardware is missing or not available.")},
    {kDirectDraw + 280, N_("The operation cannot be carried out because suitable raster operation hardware is missing or not available.")},
    {kDirectDraw + 290, N_("The operation cannot be carried out because rotation hardware is missing or not available.")},
    {kDirectDraw + 310, N_("The operation cannot be carried out because stretching hardware is missing or not available.")},
    {kDirectDraw + 316, N_("The DirectDrawSurface object is not using the required 4-bit colour palette.")},
    {kDirectDraw + 317, N_("The DirectDrawSurface object is not using the required 4-bit colour index palette.")},
    {kDirectDraw + 320, N_("The DirectDrawSurface object is not using the required 8-bit colour palette.")},
    {kDirectDraw + 330, N_("The operation cannot be carried out because texture mapping hardware is missing or not available.")},
    {kDirectDraw + 335, N_("The operation cannot be carried out because there is no hardware support for vertical blank synchronisation.")},
    {kDirectDraw + 340, N_("There is no hardware support for Z-buffers, so a Z-buffer cannot be created in display memory and a block transfer using a Z-buffer cannot be carried out.")},
    {kDirectDraw + 350, N_("The hardware does not support overlay Z-order, so the Z-order of the overlay surface was ignored.")},
    {kDirectDraw + 360, N_("The hardware needed for the requested operation has already been allocated.")},
    {kDirectDraw + 380, N_("There is not enough display memory for DirectDraw to carry out the operation.")},
    {kDirectDraw + 382, N_("The hardware does not support clipped overlays.")},
    {kDirectDraw + 384, N_("An attempt was made to have more than one active colour key on an overlay.")},
    {kDirectDraw + 387, N_("Access was refused because the palette is locked by another thread.")},
    {kDirectDraw + 400, N_("No source colour key has been specified.")},
    {kDirectDraw + 410, N_("An attempt was made to attach a surface to another surface that is already attached.")},
    {kDirectDraw + 420, N_("An attempt was made to make a surface dependent that already depends on another surface.")},
    {kDirectDraw + 430, N_("Access to the surface was refused because it is locked by another thread.")},
    {kDirectDraw + 435, N_("Access to this surface was refused because an attempt was made to lock the primary surface without DCI support.")},
    {kDirectDraw + 440, N_("Access to the surface was refused because the surface is hidden.")},
    {kDirectDraw + 450, N_("Access to the surface was refused because surface memory ran out. The IDirectDrawSurface3::Restore method must be called on the DirectDrawSurface object that stands for this surface.")},
    {kDirectDraw + 460, N_("The requested surface cannot be attached.")},
    {kDirectDraw + 470, N_("The height requested of DirectDraw is too large.")},
    {kDirectDraw + 480, N_("The size requested of DirectDraw is too large, although the height and the width on their own are acceptable.")},
    {kDirectDraw + 490, N_("The width requested of DirectDraw is too large.")},
    {kDirectDraw + 510, N_("DirectDraw does not support the requested FourCC format.")},
    {kDirectDraw + 520, N_("DirectDraw does not support the bit mask in the requested pixel format.")},
    {kDirectDraw + 537, N_("The vertical blank is in progress.")},
    {kDirectDraw + 540, N_("The previous block transfer from or to this surface has not finished.")},
    {kDirectDraw + 561, N_("The globally unique identifier (GUID) passed to the DirectDrawCreate function is not a valid DirectDraw driver identifier.")},
    {kDirectDraw + 562, N_("The DirectDraw object has already been created.")},
    {kDirectDraw + 563, N_("A hardware-only DirectDraw object cannot be created: the driver does not support the hardware.")},
    {kDirectDraw + 564, N_("This process has already created a primary surface.")},
    {kDirectDraw + 565, N_("Software emulation is not available.")},
    {kDirectDraw + 566, N_("The region passed to the GetClipList method is too small.")},
    {kDirectDraw + 567, N_("An attempt was made to set a clipping list on a DirectDrawClipper object that already monitors a window handle.")},
    {kDirectDraw + 568, N_("A DirectDrawClipper object cannot be attached to this surface object.")},
    {kDirectDraw + 569, N_("Clipping notification needs a window handle, or no window handle has been set beforehand as the cooperative level window handle.")},
    {kDirectDraw + 570, N_("The DirectDraw state could not be restored because the DirectDraw cooperative level window handle has been subclassed.")},
    {kDirectDraw + 571, N_("The DirectDraw cooperative level window handle has already been set. It cannot be reset while the process holds surfaces or palettes it created.")},
    {kDirectDraw + 572, N_("No palette object is attached to this surface.")},
    {kDirectDraw + 573, N_("There is no hardware support for 16-colour or 256-colour palettes.")},
    {kDirectDraw + 574, N_("A DirectDrawClipper object is attached to the source surface passed to the BltFast method.")},
    {kDirectDraw + 575, N_("There is no block transfer hardware.")},
    {kDirectDraw + 576, N_("DirectDraw raster operation (ROP) hardware is not available.")},
    {kDirectDraw + 577, N_("The GetOverlayPosition method was called on a hidden overlay.")},
    {kDirectDraw + 578, N_("The GetOverlayPosition method was called on an overlay whose destination has not been set by a call to the UpdateOverlay method.")},
    {kDirectDraw + 579, N_("The position of the overlay on the destination is invalid.")},
    {kDirectDraw + 580, N_("An overlay component was called for a surface that is not an overlay.")},
    {kDirectDraw + 581, N_("An attempt was made to set the cooperative level although exclusive mode is already set.")},
    {kDirectDraw + 582, N_("An attempt was made to flip a surface that cannot be flipped.")},
    {kDirectDraw + 583, N_("Primary surfaces, 3D surfaces and surfaces created implicitly cannot be duplicated.")},
    {kDirectDraw + 584, N_("A surface that is not locked was unlocked.")},
    {kDirectDraw + 585, N_("Windows cannot create any more device contexts (DC).")},
    {kDirectDraw + 586, N_("No DC has been created for this surface so far.")},
    {kDirectDraw + 587, N_("This surface cannot be restored because it was created in a different mode.")},
    {kDirectDraw + 588, N_("An attempt was made to restore a surface that was created implicitly.")},
    {kDirectDraw + 589, N_("The surface in use is not a palette-based surface.")},
    {kDirectDraw + 590, N_("The display is in a mode that is not supported at present.")},
    {kDirectDraw + 591, N_("The operation cannot be carried out because mipmap texture mapping hardware is missing or not available.")},
    {kDirectDraw + 592, N_("The requested operation could not be carried out because the surface is of the wrong type.")},
    {kDirectDraw + 600, N_("The device does not support optimised surfaces.")},
    {kDirectDraw + 601, N_("The surface is optimised, but no memory has been allocated to it yet.")},
    {kDirectDraw + 620, N_("A device context (DC) has already been returned for this surface. Only one DC can be obtained per surface.")},
    {kDirectDraw + 630, N_("An attempt was made to allocate non-local video memory from a device that does not support it.")},
    {kDirectDraw + 640, N_("Page-locking the surface failed. Page locks do not work on display memory surfaces or on emulated primary surfaces.")},
    {kDirectDraw + 660, N_("Page-unlocking the surface failed. Page unlocks do not work on display memory surfaces or on emulated primary surfaces.")},
    {kDirectDraw + 680, N_("A surface with no outstanding page lock was page-unlocked.")},
    {kDirectDraw + 690, N_("There is more data than the given buffer size can hold.")},
    {kDirectDraw + 695, N_("The video port is not active.")},
    {kDirectDraw + 699, N_("A surface created by one DirectDraw device cannot be used directly by another DirectDraw device.")},
    {static_cast<int32_t>(0x80004001u), N_("The operation is not supported.")},
    {static_cast<int32_t>(0x80004005u), N_("Undefined error.")},
    {static_cast<int32_t>(0x800401F0u), N_("An interface method of a DirectDraw object created with CoCreateInstance was called before the object was initialised.")},
    {5, N_("One or more of the parameters passed to the method are incorrect.")},
    {7, N_("There is not enough memory for DirectDraw to carry out the operation.")},
};

static_assert(std::size(kDisplayErrorText) == 105);

}  // namespace

const char* DisplayErrorText(int32_t code) {
  for (const ErrorText& e : kDisplayErrorText) {
    if (e.code == code) return Tr(e.text);
  }
  return nullptr;
}

std::string DisplayErrorMessage(int32_t code) {
  if (const char* text = DisplayErrorText(code)) return text;
  return TrFormat(N_("Unexpected error {0}"), {std::to_string(code)});
}

std::string FatalErrorMessage(const PlatformError& e) {
  std::string message = DisplayErrorMessage(e.code);
  if (!e.what.empty()) message += "\n" + e.what;
  return message;
}

}  // namespace rara3
