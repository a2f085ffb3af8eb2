#include "config/picture/jpeg_reader.h"

/* jpeglib.h needs FILE declared first. */
/* clang-format off */
#include <stdio.h>
#include <jpeglib.h>
/* clang-format on */
#include <setjmp.h>
#include <stdlib.h>

/* A crafted progressive file can hold thousands of scans that each cost a
   pass over the whole picture; real pictures use a dozen or so. */
enum { kMaxScans = 500 };

struct tiko_jpeg_reader {
  struct jpeg_error_mgr error; /* first, so the error manager leads back here */
  struct jpeg_progress_mgr progress;
  struct jpeg_decompress_struct info;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX + 32];
  int cmyk;
};

static void on_error(j_common_ptr info) {
  tiko_jpeg_reader* reader = (tiko_jpeg_reader*)info->err;
  (*info->err->format_message)(info, reader->message);
  longjmp(reader->jump, 1);
}

/* Warnings (a file cut short, stray bytes) leave a usable picture and are not shown. */
static void on_output_message(j_common_ptr info) {
  (void)info;
}

static void on_progress(j_common_ptr info) {
  tiko_jpeg_reader* reader = (tiko_jpeg_reader*)info->err;
  if (info->is_decompressor && reader->info.input_scan_number > kMaxScans) {
    snprintf(reader->message, sizeof reader->message, "too many scans (more than %d)", kMaxScans);
    longjmp(reader->jump, 1);
  }
}

static int create(tiko_jpeg_reader* reader, const unsigned char* data, size_t size,
                  size_t max_memory_bytes) {
  if (setjmp(reader->jump)) return 0;
  jpeg_create_decompress(&reader->info);
  reader->info.mem->max_memory_to_use = (long)max_memory_bytes;
  reader->progress.progress_monitor = on_progress;
  reader->info.progress = &reader->progress;
  jpeg_mem_src(&reader->info, data, (unsigned long)size);
  return 1;
}

tiko_jpeg_reader* tiko_jpeg_open(const unsigned char* data, size_t size, size_t max_memory_bytes) {
  tiko_jpeg_reader* reader = (tiko_jpeg_reader*)calloc(1, sizeof *reader);
  if (reader == NULL) return NULL;
  reader->info.err = jpeg_std_error(&reader->error);
  reader->error.error_exit = on_error;
  reader->error.output_message = on_output_message;
  if (!create(reader, data, size, max_memory_bytes)) {
    jpeg_destroy_decompress(&reader->info);
    free(reader);
    return NULL;
  }
  return reader;
}

int tiko_jpeg_read_header(tiko_jpeg_reader* reader, int* width, int* height, int* components,
                          int* multi_scan, int* cmyk) {
  if (setjmp(reader->jump)) return 0;
  jpeg_read_header(&reader->info, TRUE);
  *components = reader->info.num_components;
  *multi_scan = jpeg_has_multiple_scans(&reader->info) ? 1 : 0;
  reader->cmyk =
      reader->info.jpeg_color_space == JCS_CMYK || reader->info.jpeg_color_space == JCS_YCCK;
  if (reader->cmyk) {
    reader->info.out_color_space = JCS_CMYK;
  } else {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    reader->info.out_color_space = JCS_EXT_ARGB;
#else
    reader->info.out_color_space = JCS_EXT_BGRA;
#endif
  }
  *width = (int)reader->info.image_width;
  *height = (int)reader->info.image_height;
  *cmyk = reader->cmyk;
  return 1;
}

void tiko_jpeg_limit_memory(tiko_jpeg_reader* reader, size_t max_memory_bytes) {
  reader->info.mem->max_memory_to_use = (long)max_memory_bytes;
}

int tiko_jpeg_read_pixels(tiko_jpeg_reader* reader, unsigned char* pixels, size_t stride) {
  if (setjmp(reader->jump)) return 0;
  jpeg_start_decompress(&reader->info);
  if (reader->info.output_components != 4 ||
      reader->info.output_width != reader->info.image_width ||
      reader->info.output_height != reader->info.image_height) {
    snprintf(reader->message, sizeof reader->message, "unexpected pixel layout");
    return 0;
  }
  while (reader->info.output_scanline < reader->info.output_height) {
    JSAMPROW row = pixels + (size_t)reader->info.output_scanline * stride;
    if (jpeg_read_scanlines(&reader->info, &row, 1) != 1) {
      snprintf(reader->message, sizeof reader->message, "rows missing");
      return 0;
    }
  }
  jpeg_finish_decompress(&reader->info);
  return 1;
}

const char* tiko_jpeg_message(const tiko_jpeg_reader* reader) {
  return reader->message;
}

void tiko_jpeg_close(tiko_jpeg_reader* reader) {
  if (reader == NULL) return;
  jpeg_destroy_decompress(&reader->info);
  free(reader);
}
