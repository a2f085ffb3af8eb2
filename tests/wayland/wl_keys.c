/* A keyboard for tests under a Wayland compositor: it gives the seat the
 * keymap xkeyboard-config has for a named layout and presses keys by their
 * evdev codes, as the physical keys of that layout would. One keyboard for
 * the whole run; commands come one a line on stdin:
 *   key CODE     press and release
 *   down CODE    press and hold     up CODE   release
 *   layout NAME  a new keymap       sleep MS  wait
 *   move DX DY   the pointer moves by DX, DY
 * Each command is done when the compositor has taken it. Where the compositor
 * offers virtual pointers, one is plugged in too: a headless seat has no
 * pointer otherwise, and sway's cursor commands need one. Its motion is what
 * a drag follows (sway's cursor commands move the cursor only). */
#define _GNU_SOURCE
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

static struct wl_seat* seat;
static struct zwp_virtual_keyboard_manager_v1* manager;
static struct zwlr_virtual_pointer_manager_v1* pointer_manager;
static struct zwlr_virtual_pointer_v1* pointer;
static struct xkb_context* context;
static struct xkb_state* state;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
  (void)data;
  (void)version;
  if (!seat && strcmp(interface, wl_seat_interface.name) == 0) {
    seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
  } else if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
    manager = wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
  } else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    pointer_manager =
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
  }
}
static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
  (void)data;
  (void)registry;
  (void)name;
}
static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static int set_layout(struct zwp_virtual_keyboard_v1* keyboard, const char* layout) {
  struct xkb_rule_names names = {"evdev", "pc105", layout, "", ""};
  struct xkb_keymap* keymap =
      xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
  if (!keymap) {
    fprintf(stderr, "wl_keys: no layout '%s'\n", layout);
    return 0;
  }
  char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
  const size_t size = strlen(text) + 1;
  int fd = memfd_create("keymap", MFD_CLOEXEC);
  if (fd < 0 || write(fd, text, size) != (ssize_t)size) {
    perror("wl_keys: keymap file");
    return 0;
  }
  zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, (uint32_t)size);
  close(fd);
  free(text);
  if (state) xkb_state_unref(state);
  state = xkb_state_new(keymap);
  xkb_keymap_unref(keymap);
  return 1;
}

/* The compositor takes the modifiers as they are sent: they follow each key. */
static void send_key(struct zwp_virtual_keyboard_v1* keyboard, uint32_t code, int down) {
  zwp_virtual_keyboard_v1_key(
      keyboard, now_ms(), code,
      down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
  xkb_state_update_key(state, code + 8, down ? XKB_KEY_DOWN : XKB_KEY_UP);
  zwp_virtual_keyboard_v1_modifiers(keyboard,
                                    xkb_state_serialize_mods(state, XKB_STATE_MODS_DEPRESSED),
                                    xkb_state_serialize_mods(state, XKB_STATE_MODS_LATCHED),
                                    xkb_state_serialize_mods(state, XKB_STATE_MODS_LOCKED),
                                    xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE));
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: wl_keys LAYOUT < commands\n");
    return 2;
  }
  struct wl_display* display = wl_display_connect(NULL);
  if (!display) {
    fprintf(stderr, "wl_keys: no Wayland display\n");
    return 1;
  }
  struct wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registry_listener, NULL);
  wl_display_roundtrip(display);
  if (!seat || !manager) {
    fprintf(stderr, "wl_keys: the compositor offers no seat or no virtual keyboards\n");
    return 1;
  }
  context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
  struct zwp_virtual_keyboard_v1* keyboard =
      zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, seat);
  if (!set_layout(keyboard, argv[1])) return 1;
  if (pointer_manager) {
    pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(pointer_manager, seat);
  }
  wl_display_roundtrip(display);

  char line[256];
  while (fgets(line, sizeof line, stdin)) {
    char word[32], arg[200];
    const int n = sscanf(line, "%31s %199s", word, arg);
    if (n < 1) continue;
    if (n == 2 && strcmp(word, "key") == 0) {
      send_key(keyboard, (uint32_t)atoi(arg), 1);
      wl_display_roundtrip(display);
      send_key(keyboard, (uint32_t)atoi(arg), 0);
    } else if (n == 2 && strcmp(word, "down") == 0) {
      send_key(keyboard, (uint32_t)atoi(arg), 1);
    } else if (n == 2 && strcmp(word, "up") == 0) {
      send_key(keyboard, (uint32_t)atoi(arg), 0);
    } else if (n == 2 && strcmp(word, "layout") == 0) {
      if (!set_layout(keyboard, arg)) return 1;
    } else if (strcmp(word, "move") == 0 && pointer) {
      int dx = 0, dy = 0;
      if (sscanf(line, "%*s %d %d", &dx, &dy) != 2) {
        fprintf(stderr, "wl_keys: move DX DY\n");
        return 2;
      }
      zwlr_virtual_pointer_v1_motion(pointer, now_ms(), wl_fixed_from_int(dx),
                                     wl_fixed_from_int(dy));
      zwlr_virtual_pointer_v1_frame(pointer);
    } else if (n == 2 && strcmp(word, "sleep") == 0) {
      usleep((useconds_t)atoi(arg) * 1000);
    } else {
      fprintf(stderr, "wl_keys: what is '%s'?\n", word);
      return 2;
    }
    if (wl_display_roundtrip(display) < 0) {
      fprintf(stderr, "wl_keys: the compositor went away\n");
      return 1;
    }
  }
  zwp_virtual_keyboard_v1_destroy(keyboard);
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return 0;
}
