/* The virtual chips on the testbed's USB bus: each plugging adds the device to sysfs with the
 * attributes libusb and libudev read, a /dev/bus/usb node whose ioctls the chip answers, and an
 * "add" uevent; an unplug sends "remove" and takes it all away again. */
#pragma once

#include <glib.h>
#include <umockdev.h>

#include "chip.h"

typedef struct Bus Bus;

Bus *bus_new(UMockdevTestbed *testbed);
void bus_free(Bus *bus);

/* Plugs the chip called name in at bus-port (a new chip when the name is new). */
gboolean bus_plug(Bus *bus, const char *name, const char *serial, guint bus_number, guint port,
                  guint16 product_id);
gboolean bus_unplug(Bus *bus, const char *name);
gboolean bus_set_fault(Bus *bus, const char *name, ChipFault fault);
/* The process under test, held still while a uevent reaches its sockets (0: none). */
void bus_hold_during_uevents(Bus *bus, int pid);
/* Makes the device node unreadable for its owner (mode 0000), or readable again (0664). */
gboolean bus_set_access(Bus *bus, const char *name, gboolean allowed);
