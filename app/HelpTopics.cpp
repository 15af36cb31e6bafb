#include "app/HelpTopics.h"

QStringList HelpTopicEntries() {
    return {QStringLiteral("Introduction"),
            QStringLiteral("Setting up Motion detection"),
            QStringLiteral("Setting up Time-lapse mode"),
            QStringLiteral("Log Window (Viewing results)"),
            QStringLiteral("Creating an AVI movie"),
            QStringLiteral("Internet Connectivity"),
            QStringLiteral("Tips"),
            QStringLiteral("Auto-Start"),
            QStringLiteral("Sound")};
}

QStringList ShowHelpIntroduction() {
    return {QStringLiteral("Introduction"),
            QString(),
            QStringLiteral("TORVEK turns this computer and up to two cameras into a surveillance station."),
            QString(),
            QStringLiteral("Each camera has a square target zone. While surveillance is on (the Motion"),
            QStringLiteral("button), TORVEK compares the zone with the one a moment before; when it"),
            QStringLiteral("changes, the station can sound an alarm and saves a JPEG picture with a"),
            QStringLiteral("caption and a text note in the camera's folder (cam1 or cam2)."),
            QString(),
            QStringLiteral("Beside motion detection TORVEK can take time-lapse pictures inside daily"),
            QStringLiteral("time windows, record AVI video, make AVI movies from saved pictures, send"),
            QStringLiteral("pictures by e-mail and upload them to an FTP server."),
            QString(),
            QStringLiteral("Switch a camera on with its Off/On button, aim its zone with Aim, then"),
            QStringLiteral("press Motion. Press F1 in most windows for help on that window.")};
}

QStringList ShowHelpMotionDetection() {
    return {QStringLiteral("Setting up Motion detection"),
            QString(),
            QStringLiteral("1. Switch the camera on."),
            QStringLiteral("2. Press Aim for that camera. The zone window opens over the live picture."),
            QStringLiteral("   Move the target square with the arrow keys and set its size."),
            QStringLiteral("3. Watch the motion level \"MO\" beside the camera: it shows how much the"),
            QStringLiteral("   zone changes from one check to the next."),
            QStringLiteral("4. Set the sensitivity above the level a still scene shows, so that light"),
            QStringLiteral("   flicker and camera noise do not count as motion."),
            QStringLiteral("5. Close the zone window and press Motion to start surveillance."),
            QString(),
            QStringLiteral("A higher sensitivity number needs more change before a picture is saved.")};
}

QStringList ShowHelpTimeLapse() {
    return {QStringLiteral("Time-lapse mode"),
            QString(),
            QStringLiteral("Time-lapse takes a picture every few seconds, whether anything moves or not."),
            QString(),
            QStringLiteral("Open the time-lapse settings with the Time Lapse button while a camera runs."),
            QStringLiteral("Enter the interval in seconds and the share of the disk the pictures may"),
            QStringLiteral("use. For each camera you may enable a daily time window: pictures are then"),
            QStringLiteral("taken only between its start and stop times."),
            QString(),
            QStringLiteral("The estimate shows how many pictures a day this gives and when the allowed"),
            QStringLiteral("disk space will run out. Press Start to begin and Stop to end time-lapse.")};
}

QStringList ShowHelpLogWindow() {
    return {QStringLiteral("Log Window (Viewing results)"),
            QString(),
            QStringLiteral("The log window lists the pictures a camera saved, newest last."),
            QString(),
            QStringLiteral("Click a picture to view it; << and >> step through the list; the"),
            QStringLiteral("slideshow plays the pictures one after another. Enter shows the picture's"),
            QStringLiteral("note. Del deletes the selected pictures with their notes after asking."),
            QString(),
            QStringLiteral("Email Reports sends the selected pictures by e-mail. A right click on the"),
            QStringLiteral("list offers Upload (while the FTP window is connected) and Create AVI."),
            QStringLiteral("Settings sets the camera's picture folder, the free disk space below which"),
            QStringLiteral("the oldest pictures are recycled, and Purge, which deletes them all.")};
}

QStringList ShowHelpAviMovie() {
    return {QStringLiteral("Creating a Motion-Lapse or Time-Lapse AVI movie."),
            QString(),
            QStringLiteral("Saved pictures can be joined into an AVI movie at ten pictures a second."),
            QString(),
            QStringLiteral("Open the camera's log window and select two or more pictures, or none to"),
            QStringLiteral("use them all. Right-click the list, choose Create AVI and a file name."),
            QStringLiteral("The AVI panel then stays open: Create makes another movie, and ticking"),
            QStringLiteral("Use Compression first chooses Motion JPEG for a much smaller file."),
            QString(),
            QStringLiteral("All pictures of one movie must have the size of the first; others are"),
            QStringLiteral("left out and the status line says how many. Press Play to watch the movie.")};
}

QStringList ShowHelpInternet() {
    return {QStringLiteral("Internet Connectivity"),
            QString(),
            QStringLiteral("TORVEK can upload each saved picture to an FTP server."),
            QString(),
            QStringLiteral("Open the FTP window, enter the server's name (name:port for another port"),
            QStringLiteral("than 21), your user name and password, and press Connect. The File Log tab"),
            QStringLiteral("shows the server's folders and the protocol exchange."),
            QString(),
            QStringLiteral("On the Image Exports tab choose how pictures are named on the server:"),
            QStringLiteral("a numbered ring that is reused (Recycle), every picture under its own"),
            QStringLiteral("name (Export All), or one fixed name per camera (Export As). The station"),
            QStringLiteral("can also keep a web page, imagelog.htm, listing the uploaded pictures."),
            QString(),
            QStringLiteral("Tick Auto Connect on the Settings tab to connect whenever TORVEK starts.")};
}

QStringList ShowHelpTips() {
    return {QStringLiteral("Tips"),
            QString(),
            QStringLiteral("- Aim the target zone at the place anyone must pass, such as a door,"),
            QStringLiteral("  not at windows, screens or trees that move with light and wind."),
            QStringLiteral("- Keep the camera out of direct sunlight and away from lamps that flicker."),
            QStringLiteral("- Use short, good USB cables; a hub with its own power helps two cameras."),
            QStringLiteral("- Mount the camera firmly: a camera that shakes sees motion everywhere."),
            QStringLiteral("- Check the free disk space now and then, or let recycling keep room."),
            QStringLiteral("- Lock the station with a password when others can reach the computer.")};
}

QStringList ShowHelpAutoStart() {
    return {QStringLiteral("AutoStart"),
            QString(),
            QStringLiteral("TORVEK can start its cameras and surveillance by itself when it starts."),
            QString(),
            QStringLiteral("Open Setup and the Auto Start tab. Tick \"Auto Start Cam 1\" and/or"),
            QStringLiteral("\"Auto Start Cam 2\", and the options to start motion detection or"),
            QStringLiteral("time-lapse at start-up. \"Place on Systray\" hides the window once the"),
            QStringLiteral("cameras run. Close the set-up panel to save the choices."),
            QString(),
            QStringLiteral("Add TORVEK to your desktop's autostart programs to have it watch from"),
            QStringLiteral("the moment you log in.")};
}

QStringList ShowHelpSound() {
    return {QStringLiteral("SOUND ALARM"),
            QString(),
            QStringLiteral("When the sound alarm is on, TORVEK plays an alarm each time motion"),
            QStringLiteral("saves a picture."),
            QString(),
            QStringLiteral("Switch it on with \"Sound Alarm\" on the set-up panel. The station plays"),
            QStringLiteral("its alarm sound through the desktop's sound system; without a sound"),
            QStringLiteral("device the alarm stays silent and the pictures are still saved.")};
}

QStringList HelpTopicLines(int topic) {
    switch (topic) {
    case 0: return ShowHelpIntroduction();
    case 1: return ShowHelpMotionDetection();
    case 2: return ShowHelpTimeLapse();
    case 3: return ShowHelpLogWindow();
    case 4: return ShowHelpAviMovie();
    case 5: return ShowHelpInternet();
    case 6: return ShowHelpTips();
    case 7: return ShowHelpAutoStart();
    case 8: return ShowHelpSound();
    default: return {};
    }
}
