"""The base of the Windows end-to-end tests: hopwick.exe under Wine in the Linux cases' X session, less their
measuring of the list's rows, with a Wine server of the build's prefix that knows the session's display."""

from launcher_case import LauncherCase
from wine_launcher_run import WineLauncherRun, WineRunFolder
from wine_server import stop_wine_server


class WineCase(LauncherCase):
    run_class = WineLauncherRun
    folder_class = WineRunFolder

    @classmethod
    def setUpClass(cls):
        cls.start_session()
        # Wine's processes of earlier suites know no display; they go, and so do ours at the end.
        stop_wine_server(cls.session.environment)
        cls.addClassCleanup(stop_wine_server, cls.session.environment)
        # For Wine's own tools: the server that they start must know the display, or the launcher gets none.
        cls.wine_environment = dict(cls.session.environment, HOPWICK_WINE_DISPLAY=cls.session.environment["DISPLAY"])
