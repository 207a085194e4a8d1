/* One virtual FTDI chip (a single-interface FT232R) behind a usbdevfs device node of the
 * umockdev testbed. It answers the ioctls libusb's Linux backend sends: URBs on endpoint 0
 * (standard descriptor requests and the chip's vendor requests), bulk OUT 0x02 and bulk IN 0x81,
 * interface claims, capabilities. Every request the box software makes is written to the shared
 * log with the time, and a fault can be armed that the next matching request meets. */
#pragma once

#include <glib.h>
#include <stdint.h>
#include <umockdev.h>

typedef enum {
    FAULT_NONE,
    FAULT_GONE,      /* the next bulk write: the device leaves the bus mid-transfer (ENODEV) */
    FAULT_STALL,     /* every bulk write: endpoint 0x02 halted (EPIPE) */
    FAULT_HANG,      /* every bulk write: never completes; only a discard ends it */
    FAULT_BUSY,      /* every claim of the interface: held by another program (EBUSY) */
} ChipFault;

typedef struct Chip Chip;

/* Called on the testbed's main context when a FAULT_GONE write began: the device must leave
 * the testbed (uevent and removal); chip_device_left() then ends the write. */
typedef void (*ChipGoneFn)(Chip *chip, gpointer user_data);

Chip *chip_new(const char *name, const char *serial, guint16 product_id,
               ChipGoneFn on_gone, gpointer user_data);
void chip_free(Chip *chip);

const char *chip_name(const Chip *chip);
const char *chip_serial(const Chip *chip);
guint16 chip_product_id(const Chip *chip);
/* The device and configuration descriptors, as the sysfs "descriptors" file holds them. */
#define CHIP_DESCRIPTORS_LENGTH 50
void chip_descriptors(const Chip *chip, guint8 out[CHIP_DESCRIPTORS_LENGTH]);

/* A fresh handler for the device node the chip is plugged in under; the chip is there again. */
UMockdevIoctlBase *chip_plug(Chip *chip);
void chip_set_fault(Chip *chip, ChipFault fault);
/* The device is gone from the bus: every request fails with ENODEV, a write in flight ends. */
void chip_device_left(Chip *chip);

/* The shared log: "<microseconds since the epoch> <chip> <event>" lines, flushed at once. */
void chip_log_open(const char *path);
void chip_log(const char *name, const char *format, ...) G_GNUC_PRINTF(2, 3);
