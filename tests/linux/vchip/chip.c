#include "chip.h"

#include <errno.h>
#include <sys/ioctl.h>
#include <linux/usbdevice_fs.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

/* An FT232R as the box carries it: one configuration, one vendor-class interface with bulk IN
 * 0x81 and bulk OUT 0x02 of 64 bytes; strings 1 manufacturer, 2 product, 3 serial number. */
static const guint8 kDescriptors[] = {
    /* device */
    0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x08, 0x03, 0x04, 0x01, 0x60, 0x00, 0x06,
    0x01, 0x02, 0x03, 0x01,
    /* configuration 1, 32 bytes in all, bus powered, 90 mA */
    0x09, 0x02, 0x20, 0x00, 0x01, 0x01, 0x00, 0xA0, 0x2D,
    /* interface 0, two endpoints, vendor class */
    0x09, 0x04, 0x00, 0x00, 0x02, 0xFF, 0xFF, 0xFF, 0x02,
    /* bulk IN 0x81 and bulk OUT 0x02 */
    0x07, 0x05, 0x81, 0x02, 0x40, 0x00, 0x00,
    0x07, 0x05, 0x02, 0x02, 0x40, 0x00, 0x00,
};
enum { kProductIdOffset = 10, kDeviceDescriptorLength = 18 };

static const char kManufacturer[] = "FTDI";
static const char kProduct[] = "FT232R USB UART";
/* The two bytes the chip puts before any data on bulk IN: modem status, line status. */
static const guint8 kStatusBytes[2] = {0x01, 0x60};

enum {
    kOutEndpoint = 0x02,
    kInEndpoint = 0x81,
    kSetupLength = 8,
    kVendorOut = 0x40,
    kVendorIn = 0xC0,
    kStandardIn = 0x80,
    kGetDescriptor = 0x06,
};

/* One opening of the device node under one plugging; a replug gives a new one. */
typedef struct {
    Chip *chip;
    gboolean gone;
    UMockdevIoctlClient *claimed_by;   /* the open file that holds interface 0 (a ref) */
    GList *urbs;                       /* Urb, in submission order */
    guint8 descriptors[sizeof kDescriptors];
} Plugging;

typedef struct {
    UMockdevIoctlClient *client;   /* a ref */
    UMockdevIoctlData *urb;   /* the client's struct usbdevfs_urb, its buffer resolved */
    gboolean done;            /* reapable: status and actual_length are set */
} Urb;

struct Chip {
    char *name;
    char *serial;
    guint16 product_id;
    ChipFault fault;
    guint8 pins;
    Plugging *plugging;      /* the current one */
    GPtrArray *pluggings;    /* all of them, alive while clients of old ones may call */
    GPtrArray *handlers;
    ChipGoneFn on_gone;
    gpointer user_data;
};

/* Handlers run on the testbed's worker thread, commands on the main thread. */
static GMutex chip_lock;

static FILE *log_file;
static GMutex log_lock;

void chip_log_open(const char *path) {
    log_file = fopen(path, "a");
    if (log_file == NULL) g_error("cannot write the log %s", path);
}

void chip_log(const char *name, const char *format, ...) {
    va_list args;
    g_mutex_lock(&log_lock);
    fprintf(log_file, "%" G_GINT64_FORMAT " %s ", g_get_real_time(), name);
    va_start(args, format);
    vfprintf(log_file, format, args);
    va_end(args);
    fputc('\n', log_file);
    fflush(log_file);
    g_mutex_unlock(&log_lock);
}

G_STATIC_ASSERT(sizeof kDescriptors == CHIP_DESCRIPTORS_LENGTH);

void chip_descriptors(const Chip *chip, guint8 out[CHIP_DESCRIPTORS_LENGTH]) {
    memcpy(out, kDescriptors, sizeof kDescriptors);
    out[kProductIdOffset] = (guint8) (chip->product_id & 0xFF);
    out[kProductIdOffset + 1] = (guint8) (chip->product_id >> 8);
}

static void free_urb(gpointer data) {
    Urb *urb = data;
    g_object_unref(urb->urb);
    g_object_unref(urb->client);
    g_free(urb);
}

static void free_plugging(gpointer data) {
    Plugging *plugging = data;
    g_list_free_full(plugging->urbs, free_urb);
    g_clear_object(&plugging->claimed_by);
    g_free(plugging);
}

Chip *chip_new(const char *name, const char *serial, guint16 product_id, ChipGoneFn on_gone,
               gpointer user_data) {
    Chip *chip = g_new0(Chip, 1);
    chip->name = g_strdup(name);
    chip->serial = g_strdup(serial);
    chip->product_id = product_id;
    chip->pluggings = g_ptr_array_new_with_free_func(free_plugging);
    chip->handlers = g_ptr_array_new_with_free_func(g_object_unref);
    chip->on_gone = on_gone;
    chip->user_data = user_data;
    return chip;
}

void chip_free(Chip *chip) {
    g_ptr_array_unref(chip->handlers);
    g_ptr_array_unref(chip->pluggings);
    g_free(chip->name);
    g_free(chip->serial);
    g_free(chip);
}

const char *chip_name(const Chip *chip) { return chip->name; }
const char *chip_serial(const Chip *chip) { return chip->serial; }
guint16 chip_product_id(const Chip *chip) { return chip->product_id; }

void chip_set_fault(Chip *chip, ChipFault fault) {
    g_mutex_lock(&chip_lock);
    chip->fault = fault;
    g_mutex_unlock(&chip_lock);
}

static void finish_urb(Urb *urb, int status, int actual_length) {
    struct usbdevfs_urb *fields = (struct usbdevfs_urb *) urb->urb->data;
    fields->status = status;
    fields->actual_length = actual_length;
    urb->done = TRUE;
}

void chip_device_left(Chip *chip) {
    g_mutex_lock(&chip_lock);
    Plugging *plugging = chip->plugging;
    if (plugging != NULL) {
        plugging->gone = TRUE;
        g_clear_object(&plugging->claimed_by);
        /* The host controller flushes the endpoints of a device that left: -ESHUTDOWN. */
        for (GList *l = plugging->urbs; l != NULL; l = l->next) {
            Urb *urb = l->data;
            if (!urb->done) finish_urb(urb, -ESHUTDOWN, 0);
        }
    }
    g_mutex_unlock(&chip_lock);
}

/* ---------------------------------------------------------------- endpoint 0 */

/* A string descriptor for index (0: the language list), UTF-16LE as USB has it. */
static int string_descriptor(const Chip *chip, guint index, guint8 *out, int room) {
    guint8 descriptor[2 + 2 * 126];
    int length;
    if (index == 0) {
        const guint8 english[] = {4, 0x03, 0x09, 0x04};
        memcpy(descriptor, english, sizeof english);
        length = sizeof english;
    } else {
        const char *text = index == 1 ? kManufacturer : index == 2 ? kProduct
                         : index == 3 ? chip->serial : NULL;
        if (text == NULL) return -EPIPE;
        int chars = (int) MIN(strlen(text), 126);
        length = 2 + 2 * chars;
        descriptor[0] = (guint8) length;
        descriptor[1] = 0x03;
        for (int i = 0; i < chars; ++i) {
            descriptor[2 + 2 * i] = (guint8) text[i];
            descriptor[3 + 2 * i] = 0;
        }
    }
    length = MIN(length, room);
    memcpy(out, descriptor, (size_t) length);
    return length;
}

static int get_descriptor(Plugging *plugging, guint16 value, guint8 *out, int room) {
    const guint type = value >> 8, index = value & 0xFF;
    chip_log(plugging->chip->name, "descriptor %u %u", type, index);
    int length;
    switch (type) {
    case 1:
        length = MIN(kDeviceDescriptorLength, room);
        memcpy(out, plugging->descriptors, (size_t) length);
        return length;
    case 2:
        length = MIN((int) sizeof kDescriptors - kDeviceDescriptorLength, room);
        memcpy(out, plugging->descriptors + kDeviceDescriptorLength, (size_t) length);
        return length;
    case 3:
        return string_descriptor(plugging->chip, index, out, room);
    default:
        return -EPIPE;
    }
}

/* The chip's vendor requests that carry no data. */
static void vendor_out(Chip *chip, guint8 request, guint16 value, guint16 index) {
    switch (request) {
    case 0x00:
        chip_log(chip->name, value == 0 ? "reset" : value == 1 ? "purge-rx" : "purge-tx");
        break;
    case 0x03: chip_log(chip->name, "baudrate 0x%04x 0x%04x", value, index); break;
    case 0x09: chip_log(chip->name, "latency %u", value & 0xFF); break;
    case 0x0B: chip_log(chip->name, "bitmode 0x%02X 0x%02X", value & 0xFF, value >> 8); break;
    default:
        chip_log(chip->name, "vendor 0x%02x 0x%04x 0x%04x", request, value, index);
        break;
    }
}

/* The chip's vendor requests that answer: the number of bytes put into out. */
static int vendor_in(Chip *chip, guint8 request, guint8 *out, int room) {
    guint8 answer[2] = {0, 0};
    int length;
    switch (request) {
    case 0x05:
        chip_log(chip->name, "modem-status");
        memcpy(answer, kStatusBytes, 2);
        length = 2;
        break;
    case 0x0A:
        chip_log(chip->name, "get-latency");
        answer[0] = 16;
        length = 1;
        break;
    case 0x0C:
        chip_log(chip->name, "read-pins");
        answer[0] = chip->pins;
        length = 1;
        break;
    default:
        chip_log(chip->name, "vendor-in 0x%02x", request);
        return -EPIPE;
    }
    length = MIN(length, room);
    memcpy(out, answer, (size_t) length);
    return length;
}

/* A control URB: the setup packet, then the data stage. Returns the data length or -errno. */
static int control_transfer(Plugging *plugging, guint8 *buffer, int buffer_length) {
    if (buffer_length < kSetupLength) return -EINVAL;
    const guint8 request_type = buffer[0], request = buffer[1];
    const guint16 value = (guint16) (buffer[2] | buffer[3] << 8);
    const guint16 index = (guint16) (buffer[4] | buffer[5] << 8);
    const int room = MIN(buffer[6] | buffer[7] << 8, buffer_length - kSetupLength);
    guint8 *data = buffer + kSetupLength;
    if (request_type == kStandardIn && request == kGetDescriptor) {
        return get_descriptor(plugging, value, data, room);
    }
    if (request_type == kVendorOut) {
        vendor_out(plugging->chip, request, value, index);
        return 0;
    }
    if (request_type == kVendorIn) {
        return vendor_in(plugging->chip, request, data, room);
    }
    chip_log(plugging->chip->name, "control 0x%02x 0x%02x 0x%04x 0x%04x", request_type, request,
             value, index);
    return -EPIPE;
}

/* ---------------------------------------------------------------- URBs */

static gboolean announce_gone(gpointer data) {
    Chip *chip = data;
    chip->on_gone(chip, chip->user_data);
    return G_SOURCE_REMOVE;
}

static gboolean submit_urb(Plugging *plugging, UMockdevIoctlClient *client, int *error) {
    Chip *chip = plugging->chip;
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    UMockdevIoctlData *data = umockdev_ioctl_data_resolve(arg, 0, sizeof(struct usbdevfs_urb), NULL);
    if (data == NULL) {
        *error = EFAULT;
        return FALSE;
    }
    struct usbdevfs_urb *fields = (struct usbdevfs_urb *) data->data;
    guint8 *buffer = NULL;
    if (fields->buffer_length > 0) {
        UMockdevIoctlData *resolved = umockdev_ioctl_data_resolve(
            data, G_STRUCT_OFFSET(struct usbdevfs_urb, buffer), (gsize) fields->buffer_length, NULL);
        if (resolved == NULL) {
            g_object_unref(data);
            *error = EFAULT;
            return FALSE;
        }
        buffer = resolved->data;
        g_object_unref(resolved);   /* data keeps it as its child */
    }
    Urb *urb = g_new0(Urb, 1);
    urb->client = g_object_ref(client);
    urb->urb = data;

    if (fields->type == USBDEVFS_URB_TYPE_CONTROL && fields->endpoint == 0) {
        const int result = control_transfer(plugging, buffer, fields->buffer_length);
        finish_urb(urb, result < 0 ? result : 0, result < 0 ? 0 : result);
    } else if (fields->type == USBDEVFS_URB_TYPE_BULK && fields->endpoint == kOutEndpoint) {
        if (chip->fault == FAULT_STALL) {
            chip_log(chip->name, "stall");
            finish_urb(urb, -EPIPE, 0);
        } else if (chip->fault == FAULT_HANG) {
            chip_log(chip->name, "hang");
        } else if (chip->fault == FAULT_GONE) {
            chip->fault = FAULT_NONE;
            chip_log(chip->name, "gone");
            g_idle_add(announce_gone, chip);   /* the write stays in flight until then */
        } else {
            for (int i = 0; i < fields->buffer_length; ++i) {
                chip_log(chip->name, "write 0x%02X", buffer[i]);
                chip->pins = buffer[i];
            }
            finish_urb(urb, 0, fields->buffer_length);
        }
    } else if (fields->type == USBDEVFS_URB_TYPE_BULK && fields->endpoint == kInEndpoint) {
        const int length = MIN(fields->buffer_length, (int) sizeof kStatusBytes);
        memcpy(buffer, kStatusBytes, (size_t) length);
        finish_urb(urb, 0, length);
    } else {
        chip_log(chip->name, "urb type %u endpoint 0x%02x refused", fields->type, fields->endpoint);
        free_urb(urb);
        *error = ENOENT;   /* the kernel's answer for an endpoint the interface lacks */
        return FALSE;
    }
    plugging->urbs = g_list_append(plugging->urbs, urb);
    return TRUE;
}

static gboolean reap_urb(Plugging *plugging, UMockdevIoctlClient *client) {
    for (GList *l = plugging->urbs; l != NULL; l = l->next) {
        Urb *urb = l->data;
        if (urb->client != client || !urb->done) continue;
        UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
        UMockdevIoctlData *slot = umockdev_ioctl_data_resolve(arg, 0, sizeof(gpointer), NULL);
        if (slot == NULL) return FALSE;
        umockdev_ioctl_data_set_ptr(slot, 0, urb->urb);   /* the slot keeps the URB now */
        g_object_unref(slot);
        plugging->urbs = g_list_delete_link(plugging->urbs, l);
        free_urb(urb);
        return TRUE;
    }
    return FALSE;
}

static gboolean discard_urb(Plugging *plugging, UMockdevIoctlClient *client) {
    const gulong address = *(gulong *) umockdev_ioctl_client_get_arg(client)->data;
    for (GList *l = plugging->urbs; l != NULL; l = l->next) {
        Urb *urb = l->data;
        if (urb->client != client || urb->done || urb->urb->client_addr != address) continue;
        chip_log(plugging->chip->name, "discard");
        finish_urb(urb, -ECONNRESET, 0);   /* an unlinked URB, as usbfs reports it */
        return TRUE;
    }
    return FALSE;
}

/* ---------------------------------------------------------------- the device node */

/* Closing a file releases its interface, as usbfs does. */
static gboolean held_by_other(Plugging *plugging, UMockdevIoctlClient *client) {
    UMockdevIoctlClient *holder = plugging->claimed_by;
    return holder != NULL && holder != client && umockdev_ioctl_client_get_connected(holder);
}

/* The ioctls whose argument is one 32-bit word: 0 or the errno. */
static int word_request(Plugging *plugging, UMockdevIoctlClient *client, gulong request,
                        guint32 *word) {
    Chip *chip = plugging->chip;
    switch (request) {
    case USBDEVFS_GET_CAPABILITIES:
        *word = USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_BULK_CONTINUATION |
                USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
        return 0;
    case USBDEVFS_CLAIMINTERFACE:
        if (*word != 0) return ENOENT;
        if (chip->fault == FAULT_BUSY || held_by_other(plugging, client)) {
            chip_log(chip->name, "claim-refused %u", *word);
            return EBUSY;
        }
        chip_log(chip->name, "claim %u", *word);
        g_set_object(&plugging->claimed_by, client);
        return 0;
    default:   /* USBDEVFS_RELEASEINTERFACE */
        if (plugging->claimed_by != client || *word != 0) return EINVAL;
        chip_log(chip->name, "release %u", *word);
        g_clear_object(&plugging->claimed_by);
        return 0;
    }
}

/* One ioctl: its result, with *error set when it is -1. */
static long handle_request(Plugging *plugging, UMockdevIoctlClient *client, gulong request,
                           int *error) {
    *error = 0;
    if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY) {
        /* URBs that ended before the device left can still be reaped after it. */
        if (reap_urb(plugging, client)) return 0;
        *error = plugging->gone ? ENODEV : EAGAIN;
        return -1;
    }
    if (plugging->gone) {
        *error = ENODEV;
        return -1;
    }
    switch (request) {
    case USBDEVFS_GET_CAPABILITIES:
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE: {
        UMockdevIoctlData *word = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client),
                                                              0, sizeof(guint32), NULL);
        *error = word == NULL ? EFAULT
                              : word_request(plugging, client, request, (guint32 *) word->data);
        if (word != NULL) g_object_unref(word);
        break;
    }
    case USBDEVFS_SUBMITURB:
        submit_urb(plugging, client, error);
        break;
    case USBDEVFS_DISCARDURB:
        if (!discard_urb(plugging, client)) *error = EINVAL;
        break;
    case USBDEVFS_GETDRIVER:
    case USBDEVFS_IOCTL:
        *error = ENODATA;   /* no kernel driver is bound to the interface */
        break;
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_SETCONFIGURATION:
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESETEP:
        break;
    case USBDEVFS_RESET:
        chip_log(plugging->chip->name, "port-reset");
        break;
    default:
        chip_log(plugging->chip->name, "ioctl 0x%lx unknown", request);
        *error = ENOTTY;
        break;
    }
    return *error != 0 ? -1 : 0;
}

static gboolean on_ioctl(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, gpointer data) {
    (void) handler;
    Plugging *plugging = data;
    int error = 0;
    g_mutex_lock(&chip_lock);
    const long result = handle_request(plugging, client, umockdev_ioctl_client_get_request(client),
                                       &error);
    g_mutex_unlock(&chip_lock);
    umockdev_ioctl_client_complete(client, result, error);
    return TRUE;
}

static void on_client(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, gpointer data) {
    (void) handler;
    (void) client;
    chip_log(((Plugging *) data)->chip->name, "open");
}

UMockdevIoctlBase *chip_plug(Chip *chip) {
    Plugging *plugging = g_new0(Plugging, 1);
    plugging->chip = chip;
    chip_descriptors(chip, plugging->descriptors);
    UMockdevIoctlBase *handler = umockdev_ioctl_base_new();
    g_signal_connect(handler, "handle-ioctl", G_CALLBACK(on_ioctl), plugging);
    g_signal_connect(handler, "client-connected", G_CALLBACK(on_client), plugging);
    g_mutex_lock(&chip_lock);
    chip->plugging = plugging;
    g_ptr_array_add(chip->pluggings, plugging);
    g_ptr_array_add(chip->handlers, g_object_ref(handler));
    g_mutex_unlock(&chip_lock);
    return handler;
}
