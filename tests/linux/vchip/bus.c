#include "bus.h"

#include <glib/gstdio.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>

typedef struct {
    Chip *chip;
    char *syspath;   /* in the testbed, while plugged */
    char *devnode;
} Slot;

struct Bus {
    UMockdevTestbed *testbed;
    GHashTable *slots;   /* name -> Slot */
    guint next_address;  /* a new address at every plugging, as the hub gives */
    int held_pid;
};

static void free_slot(gpointer data) {
    Slot *slot = data;
    chip_free(slot->chip);
    g_free(slot->syspath);
    g_free(slot->devnode);
    g_free(slot);
}

Bus *bus_new(UMockdevTestbed *testbed) {
    Bus *bus = g_new0(Bus, 1);
    bus->testbed = g_object_ref(testbed);
    bus->slots = g_hash_table_new_full(g_str_hash, g_str_equal, g_free, free_slot);
    bus->next_address = 2;
    return bus;
}

void bus_free(Bus *bus) {
    g_hash_table_unref(bus->slots);
    g_object_unref(bus->testbed);
    g_free(bus);
}

void bus_hold_during_uevents(Bus *bus, int pid) { bus->held_pid = pid; }

/* Whether every thread of the process has stopped. */
static gboolean all_stopped(int pid) {
    g_autofree char *tasks = g_strdup_printf("/proc/%d/task", pid);
    g_autoptr(GDir) dir = g_dir_open(tasks, 0, NULL);
    if (dir == NULL) return TRUE;   /* gone: nothing to wait for */
    const char *task;
    while ((task = g_dir_read_name(dir)) != NULL) {
        g_autofree char *stat_path = g_build_filename(tasks, task, "stat", NULL);
        g_autofree char *stat = NULL;
        if (!g_file_get_contents(stat_path, &stat, NULL, NULL)) continue;
        const char *state = strrchr(stat, ')');
        if (state != NULL && state[1] == ' ' && state[2] != 'T' && state[2] != 't') return FALSE;
    }
    return TRUE;
}

/* The kernel hands a uevent to every listening socket in one multicast, so a program never
 * hears it on one socket before its others have it. umockdev sends to each socket in turn;
 * holding the program still meanwhile gives it the kernel's view. */
static void hold(Bus *bus) {
    if (bus->held_pid <= 0 || kill(bus->held_pid, SIGSTOP) != 0) return;
    for (int i = 0; i < 2000 && !all_stopped(bus->held_pid); ++i) g_usleep(500);
}

static void release(Bus *bus) {
    if (bus->held_pid > 0) kill(bus->held_pid, SIGCONT);
}

/* The device leaves: "remove" while its attributes are still there to send, then sysfs and the
 * node go, then the transfers in flight end. */
static void take_away(Bus *bus, Slot *slot) {
    hold(bus);
    umockdev_testbed_uevent(bus->testbed, slot->syspath, "remove");
    release(bus);
    umockdev_testbed_remove_device(bus->testbed, slot->syspath);
    umockdev_testbed_detach_ioctl(bus->testbed, slot->devnode, NULL);
    chip_device_left(slot->chip);
    chip_log(chip_name(slot->chip), "unplugged");
    g_clear_pointer(&slot->syspath, g_free);
    g_clear_pointer(&slot->devnode, g_free);
}

static void left_mid_transfer(Chip *chip, gpointer user_data) {
    Bus *bus = user_data;
    Slot *slot = g_hash_table_lookup(bus->slots, chip_name(chip));
    if (slot != NULL && slot->syspath != NULL) take_away(bus, slot);
}

static char *hex_of(const guint8 *bytes, gsize length) {
    GString *text = g_string_sized_new(length * 2);
    for (gsize i = 0; i < length; ++i) g_string_append_printf(text, "%02x", bytes[i]);
    return g_string_free(text, FALSE);
}

gboolean bus_plug(Bus *bus, const char *name, const char *serial, guint bus_number, guint port,
                  guint16 product_id) {
    Slot *slot = g_hash_table_lookup(bus->slots, name);
    if (slot == NULL) {
        slot = g_new0(Slot, 1);
        slot->chip = chip_new(name, serial, product_id, left_mid_transfer, bus);
        g_hash_table_insert(bus->slots, g_strdup(name), slot);
    }
    if (slot->syspath != NULL) return FALSE;
    const guint address = bus->next_address++;
    guint8 descriptors[CHIP_DESCRIPTORS_LENGTH];
    chip_descriptors(slot->chip, descriptors);
    g_autofree char *descriptors_hex = hex_of(descriptors, sizeof descriptors);
    g_autofree char *place = g_strdup_printf("%u-%u", bus_number, port);
    slot->devnode = g_strdup_printf("/dev/bus/usb/%03u/%03u", bus_number, address);

    /* The node must answer before anyone hears of the device. */
    g_autoptr(UMockdevIoctlBase) handler = chip_plug(slot->chip);
    if (!umockdev_testbed_attach_ioctl(bus->testbed, slot->devnode, handler, NULL)) return FALSE;
    g_autofree char *record = g_strdup_printf(
        "P: /devices/pci0000:00/0000:00:14.0/usb%u/%s\n"
        "N: bus/usb/%03u/%03u\n"
        "E: DEVNAME=%s\n"
        "E: DEVTYPE=usb_device\n"
        "E: DRIVER=usb\n"
        "E: SUBSYSTEM=usb\n"
        "E: BUSNUM=%03u\n"
        "E: DEVNUM=%03u\n"
        "E: PRODUCT=403/%x/600\n"
        "E: ID_VENDOR_ID=0403\n"
        "E: ID_MODEL_ID=%04x\n"
        "E: ID_SERIAL_SHORT=%s\n"
        "A: idVendor=0403\\n\n"
        "A: idProduct=%04x\\n\n"
        "A: bcdDevice=0600\\n\n"
        "A: manufacturer=FTDI\\n\n"
        "A: product=FT232R USB UART\\n\n"
        "A: serial=%s\\n\n"
        "A: busnum=%u\\n\n"
        "A: devnum=%u\\n\n"
        "A: devpath=%u\\n\n"
        "A: speed=12\\n\n"
        "A: bConfigurationValue=1\\n\n"
        "A: bNumConfigurations=1\\n\n"
        "A: bNumInterfaces= 1\\n\n"
        "A: bMaxPacketSize0=8\\n\n"
        "H: descriptors=%s\n",
        bus_number, place, bus_number, address, slot->devnode, bus_number, address, product_id,
        product_id, serial, product_id, serial, bus_number, address, port, descriptors_hex);
    g_autoptr(GError) error = NULL;
    hold(bus);
    const gboolean added = umockdev_testbed_add_from_string(bus->testbed, record, &error);
    release(bus);
    if (!added) {
        g_printerr("vchip: %s\n", error->message);
        umockdev_testbed_detach_ioctl(bus->testbed, slot->devnode, NULL);
        return FALSE;
    }
    /* Adding the device sent its "add" uevent. */
    slot->syspath = g_strdup_printf("/sys/devices/pci0000:00/0000:00:14.0/usb%u/%s", bus_number, place);
    chip_log(name, "plugged %s %s", place, slot->devnode);
    return TRUE;
}

gboolean bus_unplug(Bus *bus, const char *name) {
    Slot *slot = g_hash_table_lookup(bus->slots, name);
    if (slot == NULL || slot->syspath == NULL) return FALSE;
    take_away(bus, slot);
    return TRUE;
}

gboolean bus_set_fault(Bus *bus, const char *name, ChipFault fault) {
    Slot *slot = g_hash_table_lookup(bus->slots, name);
    if (slot == NULL) return FALSE;
    chip_set_fault(slot->chip, fault);
    return TRUE;
}

gboolean bus_set_access(Bus *bus, const char *name, gboolean allowed) {
    Slot *slot = g_hash_table_lookup(bus->slots, name);
    if (slot == NULL || slot->devnode == NULL) return FALSE;
    g_autofree char *root = umockdev_testbed_get_root_dir(bus->testbed);
    g_autofree char *node = g_build_filename(root, slot->devnode, NULL);
    return g_chmod(node, allowed ? 0664 : 0000) == 0;
}
