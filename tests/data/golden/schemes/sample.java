/** A small applet that greets. */
package demo;

import java.applet.Applet;

public class Hello extends Applet {
  private static final long LIMIT = 1000L; // the largest count
  private double ratio = 0.5f + 2.0e-3d;

  public void paint(java.awt.Graphics g) {
    char quote = '\'';
    String text = "Hello, \"world\"\n";
    if (ratio > 0 && text != null) g.drawString(text + 0xFF, 10, 20);
    boolean done = true;
  }
}
