#include "config/picture/png_reader.h"

#include <png.h>
#include <setjmp.h>
#include <stdlib.h>
#include <string.h>

struct tiko_png_reader {
  png_structp png;
  png_infop info;
  const unsigned char* data;
  size_t size;
  size_t at;
  unsigned height;
  char message[200];
};

static void on_error(png_structp png, png_const_charp text) {
  tiko_png_reader* reader = (tiko_png_reader*)png_get_error_ptr(png);
  strncpy(reader->message, text ? text : "unknown error", sizeof reader->message - 1);
  reader->message[sizeof reader->message - 1] = '\0';
  png_longjmp(png, 1);
}

static void on_warning(png_structp png, png_const_charp text) {
  (void)png;
  (void)text; /* damaged ancillary chunks are skipped, as libpng does */
}

static void read_bytes(png_structp png, png_bytep out, size_t length) {
  tiko_png_reader* reader = (tiko_png_reader*)png_get_io_ptr(png);
  if (length > reader->size - reader->at) png_error(png, "the file ends too soon");
  memcpy(out, reader->data + reader->at, length);
  reader->at += length;
}

tiko_png_reader* tiko_png_open(const unsigned char* data, size_t size) {
  tiko_png_reader* reader = (tiko_png_reader*)calloc(1, sizeof *reader);
  if (!reader) return NULL;
  reader->data = data;
  reader->size = size;
  reader->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, reader, on_error, on_warning);
  if (reader->png) reader->info = png_create_info_struct(reader->png);
  if (!reader->png || !reader->info) {
    tiko_png_close(reader);
    return NULL;
  }
  png_set_read_fn(reader->png, reader, read_bytes);
  /* The caller refuses sizes beyond its own limits, with its own words. */
  png_set_user_limits(reader->png, 0x7fffffff, 0x7fffffff);
  /* Text, profiles and unknown chunks: at most 1000 of them, none over 8 MB. */
  png_set_chunk_cache_max(reader->png, 1000);
  png_set_chunk_malloc_max(reader->png, 8u << 20);
  return reader;
}

int tiko_png_read_header(tiko_png_reader* reader, unsigned* width, unsigned* height) {
  png_structp png = reader->png;
  if (setjmp(png_jmpbuf(png))) return 0;
  png_read_info(png, reader->info);
  *width = png_get_image_width(png, reader->info);
  *height = png_get_image_height(png, reader->info);
  return 1;
}

int tiko_png_prepare(tiko_png_reader* reader, int* alpha) {
  png_structp png = reader->png;
  png_infop info = reader->info;
  if (setjmp(png_jmpbuf(png))) return 0;
  const int colour = png_get_color_type(png, info);
  *alpha = (colour & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  /* Palette, low-bit grey and tRNS become 8-bit channels and alpha. */
  png_set_expand(png);
  if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
  if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  png_set_bgr(png);
  if (!*alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  reader->height = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != (size_t)png_get_image_width(png, info) * 4) {
    png_error(png, "unexpected row layout");
  }
  return 1;
}

/* The jump point in a frame of its own, so nothing of the caller's is clobbered. */
static int read_rows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return 0;
  png_read_image(png, rows);
  return 1;
}

int tiko_png_read_pixels(tiko_png_reader* reader, unsigned char* pixels, size_t stride) {
  png_bytepp rows = (png_bytepp)malloc(sizeof(png_bytep) * (reader->height ? reader->height : 1));
  if (!rows) {
    strcpy(reader->message, "not enough memory");
    return 0;
  }
  for (unsigned y = 0; y < reader->height; ++y) rows[y] = pixels + (size_t)y * stride;
  int ok = read_rows(reader->png, rows);
  free(rows);
  return ok;
}

const char* tiko_png_message(const tiko_png_reader* reader) {
  return reader->message;
}

void tiko_png_close(tiko_png_reader* reader) {
  if (!reader) return;
  if (reader->png) png_destroy_read_struct(&reader->png, reader->info ? &reader->info : NULL, NULL);
  free(reader);
}
