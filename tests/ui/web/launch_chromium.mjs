// Debian's Chromium, headless, driven by playwright-core (which never downloads a browser of its
// own). As root it needs --no-sandbox; the rest keeps it from calling out to Google's services,
// which this network refuses.
import { chromium } from 'playwright-core';

export function launchChromium() {
  return chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'],
  });
}
