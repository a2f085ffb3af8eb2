// The scene: every window image with its place, size, visibility and the
// picture it shows. The pictures themselves live with the front end; an image
// names the image whose picture it draws (itself, a digit template, a pressed
// cross-pad template, or nothing).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/image_id.h"

namespace tiko {

struct Image {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = false;
  ImageId picture = kNoImage;  // whose picture is drawn; kNoImage = blank
};

// An image whose visibility, picture or place changed, as it was before.
struct SceneChange {
  ImageId id = kNoImage;
  Image before;
};

class Scene {
 public:
  Scene();

  const Image& operator[](ImageId id) const { return images_[id]; }

  bool Visible(ImageId id) const { return images_[id].visible; }
  void SetVisible(ImageId id, bool visible);
  void Show(ImageId id) { SetVisible(id, true); }
  void Hide(ImageId id) { SetVisible(id, false); }

  ImageId Picture(ImageId id) const { return images_[id].picture; }
  void SetPicture(ImageId id, ImageId picture_of);
  void SetBounds(ImageId id, int left, int top, int width, int height);

  // The digit a digit place shows, or -1 when it is blank or shows something else.
  int DigitOf(ImageId place) const;

  // Grows whenever anything that can be seen changes: the view repaints on a change.
  std::uint64_t Revision() const { return revision_; }

  // Every change made after `revision` (an earlier Revision()), oldest first;
  // an image changed twice appears twice. Nothing when the changes no longer
  // reach back that far: the view then repaints it all.
  std::optional<std::vector<SceneChange>> ChangesSince(std::uint64_t revision) const;

 private:
  // Enough for every change between two frames, a new game's included.
  static constexpr std::size_t kJournal = 512;

  // Records `id` as it is, under the revision its change is about to make.
  void Changing(ImageId id);

  std::array<Image, kImageEnd> images_{};
  std::uint64_t revision_ = 0;
  std::array<SceneChange, kJournal> journal_{};  // change r at r % kJournal
};

// Bottom to top, as the main window stacks its images.
const std::vector<ImageId>& StackingOrder();

}  // namespace tiko
